' Scripting.Dictionary.
Class Item
    Public Name
End Class
Dim d, k, s, keys, items, o, v
Set d = CreateObject("Scripting.Dictionary")
WScript.Echo TypeName(d), d.Count
d.Add "a", 1
d.Add "b", "two"
d.Add 3, "three"
WScript.Echo d.Count, d("a"), d.Item("b"), d(3)
WScript.Echo CStr(d.Exists("a")), CStr(d.Exists("A")), CStr(d.Exists(3)), CStr(d.Exists("3")), d.Count
' Reading a missing key adds it with an empty value.
WScript.Echo CStr(IsEmpty(d("new"))), d.Count, CStr(d.Exists("new"))
d("a") = 10
d.Item("b") = "TWO"
d("created") = "by assignment"
WScript.Echo d("a"), d("b"), d("created"), d.Count
s = ""
For Each k In d
    s = s & k & "=" & d(k) & ";"
Next
WScript.Echo s
keys = d.Keys
items = d.Items
WScript.Echo UBound(keys), keys(0), keys(4), items(0), items(4)
WScript.Echo Join(d.Keys, ","), d.Keys()(1)
d.Key("a") = "alpha"
WScript.Echo CStr(d.Exists("a")), d("alpha"), Join(d.Keys, ",")
d.Remove "new"
WScript.Echo d.Count, Join(d.Keys, ",")
Set o = New Item
o.Name = "stored"
d.Add "obj", o
WScript.Echo d("obj").Name, TypeName(d.Item("obj"))
Set d("obj2") = o
d("obj2").Name = "shared"
WScript.Echo o.Name
d.RemoveAll
WScript.Echo d.Count, UBound(d.Keys)

Set d = CreateObject("Scripting.Dictionary")
WScript.Echo d.CompareMode
d.CompareMode = vbTextCompare
d.Add "Key", 1
WScript.Echo CStr(d.Exists("KEY")), d("key"), d.Count
Set d = CreateObject("Scripting.Dictionary")
d.Add "Key", 1
d.Add "KEY", 2
WScript.Echo d.Count
' Keys of different subtypes that look alike.
Set d = CreateObject("Scripting.Dictionary")
d.Add 1, "int"
d.Add "1", "str"
WScript.Echo d.Count, d(1), d("1")
d.Add Empty, "empty"
WScript.Echo d(Empty), d.Count
' Many removals keep the order of the rest.
Set d = CreateObject("Scripting.Dictionary")
For i = 1 To 200
    d.Add i, i * i
Next
For i = 1 To 200
    If i Mod 3 <> 0 Then d.Remove i
Next
WScript.Echo d.Count, d(3), d(198), d.Keys()(1), CStr(d.Exists(4)), d.Items()(65)
d.Add 4, "back"
WScript.Echo d.Count, d.Keys()(66), d(4)

On Error Resume Next
Set d = CreateObject("Scripting.Dictionary")
d.Add "x", 1
d.Add "x", 2
WScript.Echo "duplicate: " & Err.Number & " " & d("x")
Err.Clear
d.Remove "missing"
WScript.Echo "remove missing: " & Err.Number
Err.Clear
d.Key("missing") = "y"
WScript.Echo "key missing: " & Err.Number
Err.Clear
d.Add "y", 2
d.Key("x") = "y"
WScript.Echo "key clash: " & Err.Number
Err.Clear
d.CompareMode = vbTextCompare
WScript.Echo "compare mode when filled: " & Err.Number
Err.Clear
d.NoSuchMethod
WScript.Echo "no such method: " & Err.Number
Err.Clear
'@expect
' Dictionary 0
' 3 1 two three
' True False True False 3
' True 4 True
' 10 TWO by assignment 5
' a=10;b=TWO;3=three;new=;created=by assignment;
' 4 a created 10 by assignment
' a,b,3,new,created b
' False 10 alpha,b,3,new,created
' 4 alpha,b,3,created
' stored Item
' shared
' 0 -1
' 0
' True 1 1
' 2
' 2 int str
' empty 3
' 66 9 39204 6 False 39204
' 67 4 back
' duplicate: 457 1
' remove missing: 32811
' key missing: 32811
' key clash: 457
' compare mode when filled: 5
' no such method: 438

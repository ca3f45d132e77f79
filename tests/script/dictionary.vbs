' Scripting.Dictionary.
Class Item
    Public Name
End Class
Dim d, k, s, keys, items, o, v
Set d = CreateObject("Scripting.Dictionary")
WScript.Echo TypeName(d), d.Count
' expect: Dictionary 0
d.Add "a", 1
d.Add "b", "two"
d.Add 3, "three"
WScript.Echo d.Count, d("a"), d.Item("b"), d(3)
' expect: 3 1 two three
WScript.Echo CStr(d.Exists("a")), CStr(d.Exists("A")), CStr(d.Exists(3)), CStr(d.Exists("3")), d.Count
' expect: True False True False 3
' Reading a missing key adds it with an empty value.
WScript.Echo CStr(IsEmpty(d("new"))), d.Count, CStr(d.Exists("new"))
' expect: True 4 True
d("a") = 10
d.Item("b") = "TWO"
d("created") = "by assignment"
WScript.Echo d("a"), d("b"), d("created"), d.Count
' expect: 10 TWO by assignment 5
s = ""
For Each k In d
    s = s & k & "=" & d(k) & ";"
Next
WScript.Echo s
' expect: a=10;b=TWO;3=three;new=;created=by assignment;
keys = d.Keys
items = d.Items
WScript.Echo UBound(keys), keys(0), keys(4), items(0), items(4)
' expect: 4 a created 10 by assignment
WScript.Echo Join(d.Keys, ","), d.Keys()(1)
' expect: a,b,3,new,created b
d.Key("a") = "alpha"
WScript.Echo CStr(d.Exists("a")), d("alpha"), Join(d.Keys, ",")
' expect: False 10 alpha,b,3,new,created
d.Remove "new"
WScript.Echo d.Count, Join(d.Keys, ",")
' expect: 4 alpha,b,3,created
Set o = New Item
o.Name = "stored"
d.Add "obj", o
WScript.Echo d("obj").Name, TypeName(d.Item("obj"))
' expect: stored Item
Set d("obj2") = o
d("obj2").Name = "shared"
WScript.Echo o.Name
' expect: shared
d.RemoveAll
WScript.Echo d.Count, UBound(d.Keys)
' expect: 0 -1

Set d = CreateObject("Scripting.Dictionary")
WScript.Echo d.CompareMode
' expect: 0
d.CompareMode = vbTextCompare
d.Add "Key", 1
WScript.Echo CStr(d.Exists("KEY")), d("key"), d.Count
' expect: True 1 1
Set d = CreateObject("Scripting.Dictionary")
d.Add "Key", 1
d.Add "KEY", 2
WScript.Echo d.Count
' expect: 2
' Keys of different subtypes that look alike.
Set d = CreateObject("Scripting.Dictionary")
d.Add 1, "int"
d.Add "1", "str"
WScript.Echo d.Count, d(1), d("1")
' expect: 2 int str
d.Add Empty, "empty"
WScript.Echo d(Empty), d.Count
' expect: empty 3
' Many removals keep the order of the rest.
Set d = CreateObject("Scripting.Dictionary")
For i = 1 To 200
    d.Add i, i * i
Next
For i = 1 To 200
    If i Mod 3 <> 0 Then d.Remove i
Next
WScript.Echo d.Count, d(3), d(198), d.Keys()(1), CStr(d.Exists(4)), d.Items()(65)
' expect: 66 9 39204 6 False 39204
d.Add 4, "back"
WScript.Echo d.Count, d.Keys()(66), d(4)
' expect: 67 4 back

On Error Resume Next
Set d = CreateObject("Scripting.Dictionary")
d.Add "x", 1
d.Add "x", 2
WScript.Echo "duplicate: " & Err.Number & " " & d("x")
' expect: duplicate: 457 1
Err.Clear
d.Remove "missing"
WScript.Echo "remove missing: " & Err.Number
' expect: remove missing: 32811
Err.Clear
d.Key("missing") = "y"
WScript.Echo "key missing: " & Err.Number
' expect: key missing: 32811
Err.Clear
d.Add "y", 2
d.Key("x") = "y"
WScript.Echo "key clash: " & Err.Number
' expect: key clash: 457
Err.Clear
d.CompareMode = vbTextCompare
WScript.Echo "compare mode when filled: " & Err.Number
' expect: compare mode when filled: 5
Err.Clear
d.NoSuchMethod
WScript.Echo "no such method: " & Err.Number
' expect: no such method: 438
Err.Clear

' Many string keys: removals, keys added again, renamed keys and text mode
' stay consistent in the index.
Dim big, i, n, missing
Set big = CreateObject("Scripting.Dictionary")
For i = 1 To 5000
    big.Add "k" & i, i
Next
For i = 1 To 5000 Step 2
    big.Remove "k" & i
Next
n = 0: missing = 0
For i = 1 To 5000
    If big.Exists("k" & i) Then n = n + big("k" & i) Else missing = missing + 1
Next
WScript.Echo big.Count, n, missing
' expect: 2500 6252500 2500
For i = 1 To 99 Step 2
    big.Add "k" & i, -i
Next
big.Key("k2") = "due"
WScript.Echo big.Count, big("k1"), big("due"), big.Exists("k2"), big.Keys()(0), big.Keys()(big.Count - 1)
' expect: 2550 -1 2 False due k99
On Error Resume Next
big.Add "k4", 0
WScript.Echo Err.Number
' expect: 457
Err.Clear
big.Remove "k1001"
WScript.Echo Err.Number
' expect: 32811
On Error GoTo 0
' Past half removed, the entries are packed again.
For i = 4 To 4000 Step 2
    big.Remove "k" & i
Next
n = 0
For i = 1 To 5000
    If big.Exists("k" & i) Then n = n + 1
Next
WScript.Echo big.Count, n, big("k4002"), big("due"), big.Keys()(1)
' expect: 551 550 4002 2 k4002
Set big = CreateObject("Scripting.Dictionary")
big.CompareMode = vbTextCompare
For i = 1 To 300
    big.Add "Chiave" & i, i
Next
WScript.Echo big.Exists("CHIAVE150"), big("chiave300"), big.Count
' expect: True 300 300
big.Remove "CHIAVE1"
WScript.Echo big.Exists("chiave1"), big.Count
' expect: False 299

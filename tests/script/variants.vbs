' Empty, Null and Nothing.
Dim u, o, n
WScript.Echo TypeName(u), VarType(u), CStr(IsEmpty(u)), "[" & u & "]", u + 0, Len(u)
WScript.Echo CStr(u = 0), CStr(u = ""), CStr(u = False)
u = Empty
WScript.Echo CStr(IsEmpty(u))
u = ""
WScript.Echo CStr(IsEmpty(u))
n = Null
WScript.Echo TypeName(n), CStr(IsNull(n)), CStr(IsNull(n + 1)), CStr(IsNull(n & "")), "[" & n & "]"
WScript.Echo CStr(IsNull(Null = Null)), CStr(IsNull(Not Null)), CStr(IsNull(-Null))
If n Then WScript.Echo "null is true" Else WScript.Echo "null is not true"
If Not n Then WScript.Echo "not null is true" Else WScript.Echo "not null is not true"
Set o = Nothing
WScript.Echo TypeName(o), CStr(IsObject(o)), CStr(o Is Nothing)
Set o = CreateObject("Scripting.Dictionary")
WScript.Echo CStr(o Is Nothing)
WScript.Echo TypeName(Empty + Empty), Empty + Empty, TypeName(Empty & Empty)
WScript.Echo TypeName(-Empty), TypeName(Empty * 1.5)
On Error Resume Next
Dim v
v = Nothing
WScript.Echo "let nothing: " & Err.Number
Err.Clear
Set v = 5
WScript.Echo "set number: " & Err.Number
Err.Clear
'@expect
' Empty 0 True [] 0 0
' True True True
' True
' False
' Null True True False []
' True True True
' null is not true
' not null is not true
' Nothing True True
' False
' Integer 0 String
' Integer Double
' let nothing: 91
' set number: 424

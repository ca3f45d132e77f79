' Empty, Null and Nothing.
Dim u, o, n
WScript.Echo TypeName(u), VarType(u), CStr(IsEmpty(u)), "[" & u & "]", u + 0, Len(u)
' expect: Empty 0 True [] 0 0
WScript.Echo CStr(u = 0), CStr(u = ""), CStr(u = False)
' expect: True True True
u = Empty
WScript.Echo CStr(IsEmpty(u))
' expect: True
u = ""
WScript.Echo CStr(IsEmpty(u))
' expect: False
n = Null
WScript.Echo TypeName(n), CStr(IsNull(n)), CStr(IsNull(n + 1)), CStr(IsNull(n & "")), "[" & n & "]"
' expect: Null True True False []
WScript.Echo CStr(IsNull(Null = Null)), CStr(IsNull(Not Null)), CStr(IsNull(-Null))
' expect: True True True
If n Then WScript.Echo "null is true" Else WScript.Echo "null is not true"
' expect: null is not true
If Not n Then WScript.Echo "not null is true" Else WScript.Echo "not null is not true"
' expect: not null is not true
Set o = Nothing
WScript.Echo TypeName(o), CStr(IsObject(o)), CStr(o Is Nothing)
' expect: Nothing True True
Set o = CreateObject("Scripting.Dictionary")
WScript.Echo CStr(o Is Nothing)
' expect: False
WScript.Echo TypeName(Empty + Empty), Empty + Empty, TypeName(Empty & Empty)
' expect: Integer 0 String
WScript.Echo TypeName(-Empty), TypeName(Empty * 1.5)
' expect: Integer Double
On Error Resume Next
Dim v
v = Nothing
WScript.Echo "let nothing: " & Err.Number
' expect: let nothing: 91
Err.Clear
Set v = 5
WScript.Echo "set number: " & Err.Number
' expect: set number: 424
Err.Clear

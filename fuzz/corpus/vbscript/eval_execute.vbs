' Eval, Execute, ExecuteGlobal, GetRef.
Dim x, y, f, code
x = 5
WScript.Echo Eval("1 + 2 * 3"), Eval("x * 2"), Eval("Len(""abc"")")
WScript.Echo CStr(Eval("x = 5")), CStr(Eval("x = 6"))
Execute "y = x + 10"
WScript.Echo y
Execute "x = 1 : y = 2"
WScript.Echo x, y
ExecuteGlobal "Function Triple(n) : Triple = n * 3 : End Function"
WScript.Echo Triple(4)
code = "Sub Hello(who)" & vbCrLf & "WScript.Echo ""hello "" & who" & vbCrLf & "End Sub"
ExecuteGlobal code
Hello "world"
Function Twice(n)
    Twice = n * 2
End Function
Set f = GetRef("Twice")
WScript.Echo f(21)
Sub Local()
    Dim z
    z = 3
    WScript.Echo Eval("z + 1")
    Execute "z = 30"
    WScript.Echo z
End Sub
Local
On Error Resume Next
x = Eval("1 +")
WScript.Echo "bad eval: " & CStr(Err.Number <> 0)
Err.Clear
Set f = GetRef("NoSuchFunction")
WScript.Echo "bad GetRef: " & Err.Number
Err.Clear
'@expect
' 7 10 3
' True False
' 15
' 1 2
' 12
' hello world
' 42
' 4
' 30
' bad eval: True
' bad GetRef: 5

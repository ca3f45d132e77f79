' Eval, Execute, ExecuteGlobal, GetRef.
Dim x, y, f, code
x = 5
WScript.Echo Eval("1 + 2 * 3"), Eval("x * 2"), Eval("Len(""abc"")")
' expect: 7 10 3
WScript.Echo CStr(Eval("x = 5")), CStr(Eval("x = 6"))
' expect: True False
Execute "y = x + 10"
WScript.Echo y
' expect: 15
Execute "x = 1 : y = 2"
WScript.Echo x, y
' expect: 1 2
ExecuteGlobal "Function Triple(n) : Triple = n * 3 : End Function"
WScript.Echo Triple(4)
' expect: 12
code = "Sub Hello(who)" & vbCrLf & "WScript.Echo ""hello "" & who" & vbCrLf & "End Sub"
ExecuteGlobal code
Hello "world"
' expect: hello world
Function Twice(n)
    Twice = n * 2
End Function
Set f = GetRef("Twice")
WScript.Echo f(21)
' expect: 42
Sub Local()
    Dim z
    z = 3
    WScript.Echo Eval("z + 1")
    Execute "z = 30"
    WScript.Echo z
End Sub
Local
' expect: 4
' expect: 30
On Error Resume Next
x = Eval("1 +")
WScript.Echo "bad eval: " & CStr(Err.Number <> 0)
' expect: bad eval: True
Err.Clear
Set f = GetRef("NoSuchFunction")
WScript.Echo "bad GetRef: " & Err.Number
' expect: bad GetRef: 5
Err.Clear

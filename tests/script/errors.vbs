' On Error Resume Next, On Error GoTo 0 and the Err object.
Dim x, y
WScript.Echo Err.Number, "[" & Err.Description & "]"
' expect: 0 []
On Error Resume Next
x = 1 / 0
WScript.Echo "div: " & Err.Number
' expect: div: 11
y = 5
WScript.Echo "still set: " & Err.Number & " " & y
' expect: still set: 11 5
Err.Clear
WScript.Echo "cleared: " & Err.Number & " [" & Err.Description & "]"
' expect: cleared: 0 []
Err.Raise 5
WScript.Echo "raised: " & Err.Number
' expect: raised: 5
Err.Raise vbObjectError + 1, "MySource", "My description"
WScript.Echo Err.Number, Err.Source, Err.Description
' expect: -2147221503 MySource My description
WScript.Echo Err.Number - vbObjectError
' expect: 1
Err.Clear
Err.Raise 1000, "Src", "Custom"
WScript.Echo Err.Number & " " & Err.Description
' expect: 1000 Custom
Err.Clear
Err.Number = 13
WScript.Echo "assigned: " & Err.Number
' expect: assigned: 13
Err.Clear
WScript.Echo "default member: " & Err
' expect: default member: 0
Sub Bad()
    WScript.Echo "bad start"
    x = 1 / 0
    WScript.Echo "bad never"
End Sub
Bad
' expect: bad start
WScript.Echo "after bad: " & Err.Number
' expect: after bad: 11
Err.Clear
Function Outer()
    Outer = "outer start"
    Inner
    Outer = "outer never"
End Function
Sub Inner()
    Err.Raise 9
End Sub
x = "unchanged"
x = Outer()
WScript.Echo x & " " & Err.Number
' expect: unchanged 9
Err.Clear
Sub Guarded()
    On Error Resume Next
    x = 1 / 0
    WScript.Echo "guarded " & Err.Number
End Sub
Guarded
' expect: guarded 11
WScript.Echo "after guarded: " & Err.Number
' expect: after guarded: 0
' A failing condition continues with the statement inside the If.
Err.Clear
If 1 / 0 Then
    WScript.Echo "inside if"
End If
' expect: inside if
WScript.Echo "if error: " & Err.Number
' expect: if error: 11
Err.Clear
For x = 1 To 3
    y = 10 / (x - 2)
    WScript.Echo x & ":" & Err.Number
    Err.Clear
Next
' expect: 1:0
' expect: 2:11
' expect: 3:0
On Error GoTo 0
WScript.Echo "goto0: " & Err.Number
' expect: goto0: 0
On Error Resume Next
Err.Raise 6
On Error GoTo 0
WScript.Echo "goto0 clears: " & Err.Number
' expect: goto0 clears: 0
On Error Resume Next
x = UndefinedFunction(1)
WScript.Echo "undefined function: " & Err.Number
' expect: undefined function: 13
Err.Clear
UndefinedSub 1
WScript.Echo "undefined sub: " & Err.Number
' expect: undefined sub: 13
Err.Clear
Sub TwoArgs(a, b)
End Sub
TwoArgs 1
WScript.Echo "wrong count: " & Err.Number
' expect: wrong count: 450
Err.Clear
TwoArgs 1, 2, 3
WScript.Echo "too many: " & Err.Number
' expect: too many: 450
Err.Clear
x = MsgBox("hello")
WScript.Echo "MsgBox fails: " & CStr(Err.Number <> 0)
' expect: MsgBox fails: True
Err.Clear
x = InputBox("name?")
WScript.Echo "InputBox fails: " & CStr(Err.Number <> 0)
' expect: InputBox fails: True
Err.Clear
Err.Raise 0
WScript.Echo "raise 0: " & Err.Number
' expect: raise 0: 5
Err.Clear

' On Error Resume Next, On Error GoTo 0 and the Err object.
Dim x, y
WScript.Echo Err.Number, "[" & Err.Description & "]"
On Error Resume Next
x = 1 / 0
WScript.Echo "div: " & Err.Number
y = 5
WScript.Echo "still set: " & Err.Number & " " & y
Err.Clear
WScript.Echo "cleared: " & Err.Number & " [" & Err.Description & "]"
Err.Raise 5
WScript.Echo "raised: " & Err.Number
Err.Raise vbObjectError + 1, "MySource", "My description"
WScript.Echo Err.Number, Err.Source, Err.Description
WScript.Echo Err.Number - vbObjectError
Err.Clear
Err.Raise 1000, "Src", "Custom"
WScript.Echo Err.Number & " " & Err.Description
Err.Clear
Err.Number = 13
WScript.Echo "assigned: " & Err.Number
Err.Clear
WScript.Echo "default member: " & Err
Sub Bad()
    WScript.Echo "bad start"
    x = 1 / 0
    WScript.Echo "bad never"
End Sub
Bad
WScript.Echo "after bad: " & Err.Number
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
Err.Clear
Sub Guarded()
    On Error Resume Next
    x = 1 / 0
    WScript.Echo "guarded " & Err.Number
End Sub
Guarded
WScript.Echo "after guarded: " & Err.Number
' A failing condition continues with the statement inside the If.
Err.Clear
If 1 / 0 Then
    WScript.Echo "inside if"
End If
WScript.Echo "if error: " & Err.Number
Err.Clear
For x = 1 To 3
    y = 10 / (x - 2)
    WScript.Echo x & ":" & Err.Number
    Err.Clear
Next
On Error GoTo 0
WScript.Echo "goto0: " & Err.Number
On Error Resume Next
Err.Raise 6
On Error GoTo 0
WScript.Echo "goto0 clears: " & Err.Number
On Error Resume Next
x = UndefinedFunction(1)
WScript.Echo "undefined function: " & Err.Number
Err.Clear
UndefinedSub 1
WScript.Echo "undefined sub: " & Err.Number
Err.Clear
Sub TwoArgs(a, b)
End Sub
TwoArgs 1
WScript.Echo "wrong count: " & Err.Number
Err.Clear
TwoArgs 1, 2, 3
WScript.Echo "too many: " & Err.Number
Err.Clear
x = MsgBox("hello")
WScript.Echo "MsgBox fails: " & CStr(Err.Number <> 0)
Err.Clear
x = InputBox("name?")
WScript.Echo "InputBox fails: " & CStr(Err.Number <> 0)
Err.Clear
Err.Raise 0
WScript.Echo "raise 0: " & Err.Number
Err.Clear
'@expect
' 0 []
' div: 11
' still set: 11 5
' cleared: 0 []
' raised: 5
' -2147221503 MySource My description
' 1
' 1000 Custom
' assigned: 13
' default member: 0
' bad start
' after bad: 11
' unchanged 9
' guarded 11
' after guarded: 0
' inside if
' if error: 11
' 1:0
' 2:11
' 3:0
' goto0: 0
' goto0 clears: 0
' undefined function: 13
' undefined sub: 13
' wrong count: 450
' too many: 450
' MsgBox fails: True
' InputBox fails: True
' raise 0: 5

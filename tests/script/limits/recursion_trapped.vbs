' Out of stack space can be trapped; the script goes on afterwards.
Dim depth
Sub Down()
    depth = depth + 1
    Down
End Sub
On Error Resume Next
Down
WScript.Echo Err.Number, CStr(depth > 100)
Err.Clear
WScript.Echo "goes on"
'@expect
' 28 True
' goes on

Dim s
s = "abc"
On Error Resume Next
s = s + 1
WScript.Echo Err.Number
' expect: 13
On Error GoTo 0
s = s + 1
WScript.Echo "not reached"
'@error: 8 13

' Quit ends the script at once with the given exit code.
Sub Deep()
    WScript.Echo "in deep"
    WScript.Quit 3
    WScript.Echo "not reached"
End Sub
WScript.Echo "start"
On Error Resume Next
Deep
WScript.Echo "not reached either"
'@exit: 3
'@expect
' start
' in deep

' Quit ends the script at once with the given exit code.
Sub Deep()
    WScript.Echo "in deep"
    WScript.Quit 3
    WScript.Echo "not reached"
End Sub
WScript.Echo "start"
' expect: start
On Error Resume Next
Deep
' expect: in deep
WScript.Echo "not reached either"
'@exit: 3

' The command-line host object.
WScript.Echo "a", 1, 2.5
WScript.Echo
WScript.Echo "after empty line"
WScript.Echo WScript.Arguments.Count
WScript.Echo WScript.ScriptName
'@expect
' a 1 2.5
'
' after empty line
' 0
' wscript_host.vbs

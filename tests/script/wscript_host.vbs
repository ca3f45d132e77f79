' The command-line host object.
WScript.Echo "a", 1, 2.5
' expect: a 1 2.5
WScript.Echo
' expect:
WScript.Echo "after empty line"
' expect: after empty line
WScript.Echo WScript.Arguments.Count
' expect: 0
WScript.Echo WScript.ScriptName
' expect: wscript_host.vbs

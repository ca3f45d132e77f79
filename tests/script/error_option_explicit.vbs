Option Explicit
Dim declared
declared = 1
WScript.Echo declared
' expect: 1
undeclared = 2
WScript.Echo "not reached"
'@error: 6 500

Option Explicit
Dim declared
declared = 1
WScript.Echo declared
undeclared = 2
WScript.Echo "not reached"
'@error: 5 500
'@expect
' 1

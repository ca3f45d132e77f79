' An error without a handler stops the script; standard error names the
' line and the number.
Dim a
WScript.Echo "before"
' expect: before
a = Array(1, 2)

WScript.Echo a(5)
WScript.Echo "not reached"
'@error: 8 9

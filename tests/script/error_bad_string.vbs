WScript.Echo "never printed"
WScript.Echo "no end
'@error: 2 1033

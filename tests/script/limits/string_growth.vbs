' A string that doubles without end runs out of string space (or memory)
' instead of taking the machine down.
Dim s
s = "x"
WScript.Echo "start"
' expect: start
Do
    s = s & s
Loop
'@error: 8 7|14

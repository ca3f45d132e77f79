' Unbounded recursion ends with error 28 (Out of stack space), not a crash.
Dim depth
depth = 0
Function Down(n)
    depth = depth + 1
    Down = Down(n + 1)
End Function
WScript.Echo "start"
' expect: start
Down 1
WScript.Echo "not reached"
'@error: * 28

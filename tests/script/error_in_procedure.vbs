' The reported line is the line inside the procedure where the error arose.
Function Divide(a, b)
    Divide = a / b
End Function
WScript.Echo Divide(6, 3)
' expect: 2
WScript.Echo Divide(1, 0)
WScript.Echo "not reached"
'@error: 3 11

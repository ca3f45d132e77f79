' Numeric loop with integer and floating-point arithmetic and calls.
Function Sq(n)
    Sq = n * n
End Function
Dim i, x, y, z
x = 0: y = 0: z = 0
For i = 1 To 3000000
    x = x + (i Mod 7) * 3 - (i \ 5) Mod 11
    y = y + i * 0.5 / 3
Next
For i = 1 To 500000
    z = z + Sq(i Mod 100)
Next
WScript.Echo x, Int(y), z

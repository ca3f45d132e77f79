' Math functions and random numbers.
Dim i, r, ok, x, y, v
WScript.Echo Abs(-3), Abs(-2.5), Abs(0), CStr(IsNull(Abs(Null)))
' expect: 3 2.5 0 True
WScript.Echo Sgn(-3), Sgn(0), Sgn(2.5)
' expect: -1 0 1
WScript.Echo Sqr(16), Sqr(2), Sqr(0)
' expect: 4 1.4142135623731 0
WScript.Echo Exp(0), Exp(1)
' expect: 1 2.71828182845905
WScript.Echo Log(1), Log(Exp(2)), Log(Exp(1))
' expect: 0 2 1
WScript.Echo Atn(1) * 4, Atn(0)
' expect: 3.14159265358979 0
WScript.Echo Cos(0), Sin(0), Tan(0)
' expect: 1 0 0
WScript.Echo Int(2.7), Int(-2.7), Fix(2.7), Fix(-2.7), Int(-2), Int("3.5")
' expect: 2 -3 2 -2 -2 3
WScript.Echo TypeName(Int(2.5)), TypeName(Int(2)), TypeName(Fix(100000))
' expect: Double Integer Long
WScript.Echo Round(2.5), Round(3.5), Round(1.5), Round(-1.5), Round(-2.5), Round(12.5), Round(13.5)
' expect: 2 4 2 -2 -2 12 14
WScript.Echo Round(2.567, 2), Round(1234.5678, 1), Round(2.4), Round(2.6), Round(7)
' expect: 2.57 1234.6 2 3 7
WScript.Echo 2 ^ 0.5, 10 / 4, 0.1 + 0.2, CStr(0.1 + 0.2 = 0.3)
' expect: 1.4142135623731 2.5 0.3 False
WScript.Echo 1E+16, 123456789, 1234567890123456
' expect: 1E+16 123456789 1.23456789012346E+15
WScript.Echo 3 * 1.1
' expect: 3.3
WScript.Echo RGB(255, 0, 0), RGB(0, 0, 255), RGB(1, 2, 3), RGB(300, 0, 0)
' expect: 255 16711680 197121 255

' Rnd stays in [0, 1); Int(6 * Rnd + 1) gives 1..6 and every face shows up.
Randomize
ok = True
Dim seen(6)
For i = 1 To 2000
    r = Rnd
    If r < 0 Or r >= 1 Then ok = False
    x = Int(6 * Rnd + 1)
    If x < 1 Or x > 6 Then ok = False Else seen(x) = True
Next
For i = 1 To 6
    If Not seen(i) Then ok = False
Next
WScript.Echo "rnd range " & CStr(ok)
' expect: rnd range True
' Rnd(0) repeats the last number.
r = Rnd
WScript.Echo "rnd(0) " & CStr(Rnd(0) = r)
' expect: rnd(0) True
' A negative argument followed by Randomize with a number repeats a sequence.
Rnd(-1)
Randomize 42
x = Rnd: y = Rnd
Rnd(-1)
Randomize 42
WScript.Echo "repeat " & CStr(Rnd = x) & " " & CStr(Rnd = y)
' expect: repeat True True
' The same negative argument always gives the same number.
WScript.Echo "same seed " & CStr(Rnd(-5) = Rnd(-5))
' expect: same seed True
x = Timer
WScript.Echo "timer " & CStr(x >= 0 And x < 86400)
' expect: timer True

On Error Resume Next
v = Sqr(-1)
WScript.Echo "Sqr(-1): " & Err.Number
' expect: Sqr(-1): 5
Err.Clear
v = Log(0)
WScript.Echo "Log(0): " & Err.Number
' expect: Log(0): 5
Err.Clear
v = Log(-1)
WScript.Echo "Log(-1): " & Err.Number
' expect: Log(-1): 5
Err.Clear
v = Abs("x")
WScript.Echo "Abs(x): " & Err.Number
' expect: Abs(x): 13
Err.Clear

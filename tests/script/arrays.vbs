' Arrays: fixed, dynamic, multi-dimensional, ReDim Preserve, Erase, copies.
Dim a(3), m(2, 3), d(), b, c, i, s, v
WScript.Echo LBound(a), UBound(a)
' expect: 0 3
a(0) = "x": a(3) = 4
WScript.Echo a(0) & a(3), "[" & a(1) & "]", CStr(IsEmpty(a(2)))
' expect: x4 [] True
WScript.Echo UBound(m), UBound(m, 1), UBound(m, 2), LBound(m, 2)
' expect: 2 2 3 0
m(2, 3) = "corner"
m(1, 1) = 11
WScript.Echo m(2, 3), m(1, 1)
' expect: corner 11
ReDim d(2)
d(0) = "a": d(1) = "b": d(2) = "c"
ReDim Preserve d(4)
WScript.Echo UBound(d), d(0) & d(1) & d(2), "[" & d(4) & "]"
' expect: 4 abc []
ReDim Preserve d(1)
WScript.Echo UBound(d), d(0) & d(1)
' expect: 1 ab
ReDim d(3)
WScript.Echo UBound(d), "[" & d(0) & "]"
' expect: 3 []
ReDim d(1, 2)
d(1, 2) = "z"
ReDim Preserve d(1, 5)
WScript.Echo UBound(d, 2), d(1, 2)
' expect: 5 z
b = Array(1, 2, 3)
c = b
c(0) = 99
WScript.Echo b(0), c(0)
' expect: 1 99
b = Array(Array(1, 2), Array(3, 4), "x")
WScript.Echo b(0)(1), b(1)(0), b(2), UBound(b(1))
' expect: 2 3 x 1
WScript.Echo UBound(Array()), LBound(Array())
' expect: -1 0
WScript.Echo TypeName(b), VarType(b), CStr(IsArray(b)), CStr(IsArray(b(2)))
' expect: Variant() 8204 True False
s = 0
For Each v In Array(1, 2, 3, 4)
    s = s + v
Next
WScript.Echo s
' expect: 10
' For Each over a copy: changing the loop variable leaves the array alone.
b = Array(1, 2, 3)
For Each v In b
    v = v * 10
Next
WScript.Echo Join(b, ",")
' expect: 1,2,3
Dim e(2)
e(0) = 5: e(1) = 6
Erase e
WScript.Echo UBound(e), CStr(IsEmpty(e(0)))
' expect: 2 True
Sub Fill(arr)
    arr(0) = "filled"
End Sub
Fill a
WScript.Echo a(0)
' expect: filled
Function MakeArray(n)
    Dim r()
    ReDim r(n - 1)
    For i = 0 To n - 1
        r(i) = i * i
    Next
    MakeArray = r
End Function
WScript.Echo Join(MakeArray(4), " ")
' expect: 0 1 4 9
b = MakeArray(3)
b(0) = "first"
WScript.Echo b(0), b(2)
' expect: first 4
Dim g: g = Array(3, 1, 2)
Dim tmp, k
For i = 0 To UBound(g) - 1
    For k = i + 1 To UBound(g)
        If g(k) < g(i) Then tmp = g(i): g(i) = g(k): g(k) = tmp
    Next
Next
WScript.Echo Join(g, "")
' expect: 123
Dim big(1, 1, 1)
big(1, 1, 1) = "deep"
WScript.Echo big(1, 1, 1), UBound(big, 3)
' expect: deep 1
On Error Resume Next
v = a(4)
WScript.Echo "a(4): " & Err.Number
' expect: a(4): 9
Err.Clear
v = a(-1)
WScript.Echo "a(-1): " & Err.Number
' expect: a(-1): 9
Err.Clear
v = m(3, 0)
WScript.Echo "m(3,0): " & Err.Number
' expect: m(3,0): 9
Err.Clear
v = UBound(a, 2)
WScript.Echo "UBound(a,2): " & Err.Number
' expect: UBound(a,2): 9
Err.Clear
Dim never()
v = UBound(never)
WScript.Echo "UBound(never): " & Err.Number
' expect: UBound(never): 9
Err.Clear
ReDim Preserve d(2, 5)
WScript.Echo "Preserve first dimension: " & Err.Number
' expect: Preserve first dimension: 9
Err.Clear
v = UBound(1)
WScript.Echo "UBound(1): " & Err.Number
' expect: UBound(1): 13
Err.Clear
Erase d
v = d(0)
WScript.Echo "after Erase: " & Err.Number
' expect: after Erase: 9
Err.Clear

' Arguments by reference and by value, recursion, return values.
Dim n, m, arr, r
Sub AddOne(x)
    x = x + 1
End Sub
Sub AddOneByVal(ByVal x)
    x = x + 1
End Sub
Sub AddOneByRef(ByRef x)
    x = x + 1
End Sub
Function Twice(x)
    x = x * 2
    Twice = x
End Function
n = 1
AddOne n
WScript.Echo n
' expect: 2
Call AddOne(n)
WScript.Echo n
' expect: 3
AddOne (n)
WScript.Echo n
' expect: 3
AddOneByVal n
WScript.Echo n
' expect: 3
AddOneByRef n
WScript.Echo n
' expect: 4
m = Twice(n)
WScript.Echo n, m
' expect: 8 8
AddOne n + 0
WScript.Echo n
' expect: 8
arr = Array(1, 2, 3)
AddOne arr(1)
WScript.Echo arr(1)
' expect: 3
Call AddOne(arr(2))
WScript.Echo arr(2)
' expect: 4
Dim fixed(1)
fixed(0) = 10
AddOne fixed(0)
WScript.Echo fixed(0)
' expect: 11
' A constant or an expression passed by reference is a temporary.
AddOne 5
WScript.Echo "literal ok"
' expect: literal ok
Sub Swap(a, b)
    Dim t
    t = a: a = b: b = t
End Sub
Dim s1, s2
s1 = "left": s2 = "right"
Swap s1, s2
WScript.Echo s1, s2
' expect: right left
Sub SetArr(a)
    a = Array("new")
End Sub
SetArr arr
WScript.Echo arr(0), UBound(arr)
' expect: new 0
Sub SetArrByVal(ByVal a)
    a(0) = "changed"
End Sub
arr = Array("orig")
SetArrByVal arr
WScript.Echo arr(0)
' expect: orig
Function Fact(k)
    If k <= 1 Then
        Fact = 1
    Else
        Fact = k * Fact(k - 1)
    End If
End Function
WScript.Echo Fact(10), Fact(1)
' expect: 3628800 1
Function Fib(k)
    If k < 2 Then Fib = k Else Fib = Fib(k - 1) + Fib(k - 2)
End Function
WScript.Echo Fib(20)
' expect: 6765
Function NoResult()
End Function
WScript.Echo CStr(IsEmpty(NoResult())), TypeName(NoResult)
' expect: True Empty
Function Accumulate()
    Accumulate = 1
    Accumulate = Accumulate + 1
End Function
WScript.Echo Accumulate()
' expect: 2
Function GetObj()
    Set GetObj = CreateObject("Scripting.Dictionary")
End Function
WScript.Echo TypeName(GetObj())
' expect: Dictionary
Class Holder
    Public Value
End Class
Sub Bump(h)
    h.Value = h.Value + 1
End Sub
Sub Replace1(ByVal h)
    Set h = Nothing
End Sub
Dim ho
Set ho = New Holder
ho.Value = 1
Bump ho
Replace1 ho
WScript.Echo ho.Value, CStr(ho Is Nothing)
' expect: 2 False
Dim counter
counter = 0
Function Side()
    counter = counter + 1
    Side = counter
End Function
r = Side() + Side() * 10
WScript.Echo r, counter
' expect: 21 2

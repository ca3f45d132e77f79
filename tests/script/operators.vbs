' Arithmetic, concatenation, comparison and logical operators.
Dim n, s
WScript.Echo 2 ^ 10
' expect: 1024
' Negation binds tighter than ^ in VBScript.
WScript.Echo -2 ^ 2, -3 ^ 2, 2 ^ -1, -2 ^ 3, 2 * -3 ^ 2, 2 ^ 3 ^ 2
' expect: 4 9 0.5 -8 18 64
WScript.Echo 2 ^ 3 ^ 2
' expect: 64
WScript.Echo 2 ^ -1
' expect: 0.5
WScript.Echo 7 / 2
' expect: 3.5
WScript.Echo 7 \ 2
' expect: 3
WScript.Echo -7 \ 2
' expect: -3
WScript.Echo 5.6 \ 2
' expect: 3
WScript.Echo 7 Mod 3
' expect: 1
WScript.Echo -7 Mod 3
' expect: -1
WScript.Echo 7 Mod -3
' expect: 1
WScript.Echo 1 + 2 * 3
' expect: 7
WScript.Echo (1 + 2) * 3
' expect: 9
WScript.Echo 10 - 2 - 3
' expect: 5
WScript.Echo 5 \ 2 * 2
' expect: 1
WScript.Echo 10 Mod 4 * 2
' expect: 2
WScript.Echo 7 \ 2 Mod 2
' expect: 1
WScript.Echo 2 * 3 Mod 4
' expect: 2
WScript.Echo -3 + 5
' expect: 2
WScript.Echo - -3
' expect: 3
' Concatenation has lower precedence than + and -.
WScript.Echo "a" & 1 + 2
' expect: a3
WScript.Echo 2 + 3 & 4
' expect: 54
WScript.Echo 1 & 2
' expect: 12
WScript.Echo "10" + 1
' expect: 11
WScript.Echo "10" + "1"
' expect: 101
WScript.Echo "3" * "4"
' expect: 12
WScript.Echo "10" - "4"
' expect: 6
WScript.Echo TypeName("10" + 1)
' expect: Double
WScript.Echo Empty + 1
' expect: 1
WScript.Echo "x" & Empty & "y"
' expect: xy
WScript.Echo "x" & Null & "y"
' expect: xy
WScript.Echo CStr(IsNull(Null + 1))
' expect: True
WScript.Echo CStr(IsNull(Null & Null))
' expect: True
WScript.Echo CStr(IsNull(1 = Null))
' expect: True
WScript.Echo CStr("abc" < "abd")
' expect: True
WScript.Echo CStr("B" < "a")
' expect: True
WScript.Echo CStr("10" < "9")
' expect: True
WScript.Echo CStr(10 < 9)
' expect: False
WScript.Echo CStr("abc" = "ABC")
' expect: False
WScript.Echo CStr(1 <> 2)
' expect: True
WScript.Echo CStr(2 >= 2), CStr(2 <= 1)
' expect: True False
WScript.Echo CStr(Empty = 0), CStr(Empty = "")
' expect: True True
WScript.Echo CStr(1 + 1 = 2)
' expect: True
WScript.Echo CStr(Not 1 = 2)
' expect: True
WScript.Echo Not 0
' expect: -1
WScript.Echo CStr(Not True)
' expect: False
WScript.Echo Not 5
' expect: -6
WScript.Echo 5 And 3
' expect: 1
WScript.Echo 5 Or 3
' expect: 7
WScript.Echo 5 Xor 3
' expect: 6
WScript.Echo 5 Eqv 3
' expect: -7
WScript.Echo 5 Imp 3
' expect: -5
WScript.Echo CStr(True And False), CStr(True Or False), CStr(True Xor True)
' expect: False True False
WScript.Echo CStr(True Eqv True), CStr(True Imp False), CStr(False Imp True)
' expect: True False True
WScript.Echo CStr(True Or False And False)
' expect: True
WScript.Echo CStr(Null And False), CStr(Null Or True)
' expect: False True
WScript.Echo CStr(IsNull(Null And True)), CStr(IsNull(Null Or False))
' expect: True True
WScript.Echo True + True
' expect: -2
WScript.Echo -True
' expect: 1
Set n = Nothing
WScript.Echo CStr(n Is Nothing)
' expect: True
' Integer arithmetic widens instead of overflowing.
WScript.Echo 32767 + 1, TypeName(32767 + 1)
' expect: 32768 Long
WScript.Echo 200 * 200, TypeName(200 * 200)
' expect: 40000 Long
WScript.Echo 2147483647 + 1, TypeName(2147483647 + 1)
' expect: 2147483648 Double
WScript.Echo 100000 * 100000, TypeName(100000 * 100000)
' expect: 10000000000 Double
WScript.Echo CByte(200) + CByte(100), TypeName(CByte(200) + CByte(100))
' expect: 300 Integer
WScript.Echo TypeName(CByte(2) + CByte(3))
' expect: Byte
WScript.Echo TypeName(1 + 1.5), TypeName(10 / 2), TypeName(7 \ 2)
' expect: Double Double Integer
WScript.Echo TypeName(1 + 2), TypeName(1 & 2)
' expect: Integer String
On Error Resume Next
n = "a" + 1
WScript.Echo "a+1: " & Err.Number
' expect: a+1: 13
Err.Clear
n = 1 / 0
WScript.Echo "1/0: " & Err.Number
' expect: 1/0: 11
Err.Clear
n = 1 \ 0
WScript.Echo "1\0: " & Err.Number
' expect: 1\0: 11
Err.Clear
n = 5 Mod 0
WScript.Echo "5 mod 0: " & Err.Number
' expect: 5 mod 0: 11
Err.Clear
n = 1E+300 * 1E+300
WScript.Echo "overflow: " & Err.Number
' expect: overflow: 6
Err.Clear
n = "abc" * 2
WScript.Echo "abc*2: " & Err.Number
' expect: abc*2: 13
Err.Clear

' Arithmetic, concatenation, comparison and logical operators.
Dim n, s
WScript.Echo 2 ^ 10
WScript.Echo -2 ^ 2
WScript.Echo 2 ^ 3 ^ 2
WScript.Echo 2 ^ -1
WScript.Echo 7 / 2
WScript.Echo 7 \ 2
WScript.Echo -7 \ 2
WScript.Echo 5.6 \ 2
WScript.Echo 7 Mod 3
WScript.Echo -7 Mod 3
WScript.Echo 7 Mod -3
WScript.Echo 1 + 2 * 3
WScript.Echo (1 + 2) * 3
WScript.Echo 10 - 2 - 3
WScript.Echo 5 \ 2 * 2
WScript.Echo 10 Mod 4 * 2
WScript.Echo 7 \ 2 Mod 2
WScript.Echo 2 * 3 Mod 4
WScript.Echo -3 + 5
WScript.Echo - -3
' Concatenation has lower precedence than + and -.
WScript.Echo "a" & 1 + 2
WScript.Echo 2 + 3 & 4
WScript.Echo 1 & 2
WScript.Echo "10" + 1
WScript.Echo "10" + "1"
WScript.Echo "3" * "4"
WScript.Echo "10" - "4"
WScript.Echo TypeName("10" + 1)
WScript.Echo Empty + 1
WScript.Echo "x" & Empty & "y"
WScript.Echo "x" & Null & "y"
WScript.Echo CStr(IsNull(Null + 1))
WScript.Echo CStr(IsNull(Null & Null))
WScript.Echo CStr(IsNull(1 = Null))
WScript.Echo CStr("abc" < "abd")
WScript.Echo CStr("B" < "a")
WScript.Echo CStr("10" < "9")
WScript.Echo CStr(10 < 9)
WScript.Echo CStr("abc" = "ABC")
WScript.Echo CStr(1 <> 2)
WScript.Echo CStr(2 >= 2), CStr(2 <= 1)
WScript.Echo CStr(Empty = 0), CStr(Empty = "")
WScript.Echo CStr(1 + 1 = 2)
WScript.Echo CStr(Not 1 = 2)
WScript.Echo Not 0
WScript.Echo CStr(Not True)
WScript.Echo Not 5
WScript.Echo 5 And 3
WScript.Echo 5 Or 3
WScript.Echo 5 Xor 3
WScript.Echo 5 Eqv 3
WScript.Echo 5 Imp 3
WScript.Echo CStr(True And False), CStr(True Or False), CStr(True Xor True)
WScript.Echo CStr(True Eqv True), CStr(True Imp False), CStr(False Imp True)
WScript.Echo CStr(True Or False And False)
WScript.Echo CStr(Null And False), CStr(Null Or True)
WScript.Echo CStr(IsNull(Null And True)), CStr(IsNull(Null Or False))
WScript.Echo True + True
WScript.Echo -True
Set n = Nothing
WScript.Echo CStr(n Is Nothing)
' Integer arithmetic widens instead of overflowing.
WScript.Echo 32767 + 1, TypeName(32767 + 1)
WScript.Echo 200 * 200, TypeName(200 * 200)
WScript.Echo 2147483647 + 1, TypeName(2147483647 + 1)
WScript.Echo 100000 * 100000, TypeName(100000 * 100000)
WScript.Echo CByte(200) + CByte(100), TypeName(CByte(200) + CByte(100))
WScript.Echo TypeName(CByte(2) + CByte(3))
WScript.Echo TypeName(1 + 1.5), TypeName(10 / 2), TypeName(7 \ 2)
WScript.Echo TypeName(1 + 2), TypeName(1 & 2)
On Error Resume Next
n = "a" + 1
WScript.Echo "a+1: " & Err.Number
Err.Clear
n = 1 / 0
WScript.Echo "1/0: " & Err.Number
Err.Clear
n = 1 \ 0
WScript.Echo "1\0: " & Err.Number
Err.Clear
n = 5 Mod 0
WScript.Echo "5 mod 0: " & Err.Number
Err.Clear
n = 1E+300 * 1E+300
WScript.Echo "overflow: " & Err.Number
Err.Clear
n = "abc" * 2
WScript.Echo "abc*2: " & Err.Number
Err.Clear
'@expect
' 1024
' -4
' 64
' 0.5
' 3.5
' 3
' -3
' 3
' 1
' -1
' 1
' 7
' 9
' 5
' 1
' 2
' 1
' 2
' 2
' 3
' a3
' 54
' 12
' 11
' 101
' 12
' 6
' Double
' 1
' xy
' xy
' True
' True
' True
' True
' True
' True
' False
' False
' True
' True False
' True True
' True
' True
' -1
' False
' -6
' 1
' 7
' 6
' -7
' -5
' False True False
' True False True
' True
' False True
' True True
' -2
' 1
' True
' 32768 Long
' 40000 Long
' 2147483648 Double
' 10000000000 Double
' 300 Integer
' Byte
' Double Double Integer
' Integer String
' a+1: 13
' 1/0: 11
' 1\0: 11
' 5 mod 0: 11
' overflow: 6
' abc*2: 13

' String functions.
Dim a, v
WScript.Echo Len("hello"), Len(""), Len(123), Len(12.5), CStr(IsNull(Len(Null)))
WScript.Echo Left("hello", 2), Right("hello", 3), Mid("hello", 2, 3), Mid("hello", 2)
WScript.Echo "[" & Mid("hello", 10) & "]", Left("hi", 10), Right("hi", 10), "[" & Left("abc", 0) & "]"
WScript.Echo InStr("hello", "l"), InStr(4, "hello", "l"), InStr("hello", "z"), InStr("Hello", "h")
WScript.Echo InStr(1, "Hello", "h", 1), InStr(1, "Hello", "h", vbTextCompare), InStr("abc", ""), InStr("", "a")
WScript.Echo InStr(2, "abc", ""), CStr(IsNull(InStr(Null, "a")))
WScript.Echo InStrRev("hello", "l"), InStrRev("hello", "l", 3), InStrRev("a.b.c", "."), InStrRev("abc", "z")
WScript.Echo InStrRev("ABC", "b", -1, 1)
WScript.Echo Replace("aaa", "a", "b"), Replace("Hello", "L", "x", 1, -1, 1), Replace("Hello", "L", "x")
WScript.Echo Replace("abcabc", "b", "X", 3), Replace("abcabc", "b", "X", 1, 1), Replace("abc", "", "X")
WScript.Echo Replace("a.b.c", ".", ""), Replace("aaaa", "aa", "a")
WScript.Echo StrComp("a", "b"), StrComp("b", "a"), StrComp("a", "a"), StrComp("a", "A"), StrComp("a", "A", 1)
WScript.Echo StrComp("abc", "ab"), StrComp("ABC", "abd", vbTextCompare), CStr(IsNull(StrComp(Null, "a")))
WScript.Echo LCase("HeLLo 1"), UCase("HeLLo 1")
WScript.Echo "[" & Trim("  x y  ") & "]", "[" & LTrim("  x ") & "]", "[" & RTrim("  x ") & "]"
WScript.Echo "[" & Space(3) & "]", String(3, "ab"), String(3, 65), "[" & Space(0) & "]"
WScript.Echo StrReverse("abc"), "[" & StrReverse("") & "]"
WScript.Echo Asc("A"), Asc("abc"), Chr(65), Chr(97) & Chr(98)
WScript.Echo AscW(ChrW(8364)), Len(ChrW(8364)), AscW("A"), Len(Chr(0))
WScript.Echo Len(vbCrLf), Asc(vbCr), Asc(vbLf), Asc(vbTab), Len(vbNullString), Asc(vbNullChar)
WScript.Echo CStr(vbNewLine = vbCrLf), CStr(vbCrLf = Chr(13) & Chr(10))
a = Split("a,b,c", ",")
WScript.Echo UBound(a), a(0), a(2)
a = Split("a,b,c", ",", 2)
WScript.Echo UBound(a), a(1)
a = Split("")
WScript.Echo UBound(a)
a = Split("one two  three")
WScript.Echo UBound(a), "[" & a(2) & "]"
a = Split("aXbxc", "x", -1, 1)
WScript.Echo UBound(a), a(1)
a = Split("aXbxc", "x")
WScript.Echo UBound(a), a(0)
a = Split("a,,b", ",")
WScript.Echo UBound(a), "[" & a(1) & "]"
a = Split("abc", "")
WScript.Echo UBound(a), a(0)
WScript.Echo Join(Array("a", "b", "c"), "-"), Join(Array("a", "b")), Join(Array("a", "b"), ""), "[" & Join(Array()) & "]"
WScript.Echo Join(Array(1, 2.5, True), ",")
a = Filter(Array("apple", "banana", "cherry"), "an")
WScript.Echo UBound(a), a(0)
a = Filter(Array("apple", "banana", "cherry"), "an", False)
WScript.Echo Join(a, ",")
a = Filter(Array("Apple", "grape", "kiwi"), "AP", True, vbTextCompare)
WScript.Echo Join(a, ",")
a = Filter(Array("x", "y"), "z")
WScript.Echo UBound(a)
WScript.Echo Escape("a b&c"), Escape("a-b_c.d*e@f+g/h"), Escape("100%"), Escape(ChrW(8364)), Escape(Chr(233))
WScript.Echo Unescape("a%20b%26c"), AscW(Unescape("%u20AC")), Unescape("100%"), Unescape("%zz")
WScript.Echo "abc" & 1.5 & True & Empty
WScript.Echo CStr(LCase(Empty) = ""), CStr(IsNull(LCase(Null))), CStr(IsNull(Left(Null, 1)))
WScript.Echo """quoted""", Len("""")
On Error Resume Next
v = Left("abc", -1)
WScript.Echo "Left -1: " & Err.Number
Err.Clear
v = Mid("abc", 0)
WScript.Echo "Mid 0: " & Err.Number
Err.Clear
v = Asc("")
WScript.Echo "Asc empty: " & Err.Number
Err.Clear
v = Space(-1)
WScript.Echo "Space -1: " & Err.Number
Err.Clear
v = InStr(0, "abc", "a")
WScript.Echo "InStr 0: " & Err.Number
Err.Clear
'@expect
' 5 0 3 4 True
' he llo ell ello
' [] hi hi []
' 3 4 0 0
' 1 1 1 0
' 2 True
' 4 3 4 0
' 2
' bbb Hexxo Hello
' caXc aXcabc abc
' abc aa
' -1 1 0 1 0
' 1 -1 True
' hello 1 HELLO 1
' [x y] [x ] [  x]
' [   ] aaa AAA []
' cba []
' 65 97 A ab
' 8364 1 65 1
' 2 13 10 9 0 0
' True True
' 2 a c
' 1 b,c
' -1
' 3 []
' 2 b
' 1 aXb
' 2 []
' 0 abc
' a-b-c a b ab []
' 1,2.5,True
' 0 banana
' apple,cherry
' Apple,grape
' -1
' a%20b%26c a-b_c.d*e@f+g/h 100%25 %u20AC %E9
' a b&c 8364 100% %zz
' abc1.5True
' True True True
' "quoted" 1
' Left -1: 5
' Mid 0: 5
' Asc empty: 5
' Space -1: 5
' InStr 0: 5

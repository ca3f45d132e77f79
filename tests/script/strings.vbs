' String functions.
Dim a, v
WScript.Echo Len("hello"), Len(""), Len(123), Len(12.5), CStr(IsNull(Len(Null)))
' expect: 5 0 3 4 True
WScript.Echo Left("hello", 2), Right("hello", 3), Mid("hello", 2, 3), Mid("hello", 2)
' expect: he llo ell ello
WScript.Echo "[" & Mid("hello", 10) & "]", Left("hi", 10), Right("hi", 10), "[" & Left("abc", 0) & "]"
' expect: [] hi hi []
WScript.Echo InStr("hello", "l"), InStr(4, "hello", "l"), InStr("hello", "z"), InStr("Hello", "h")
' expect: 3 4 0 0
WScript.Echo InStr(1, "Hello", "h", 1), InStr(1, "Hello", "h", vbTextCompare), InStr("abc", ""), InStr("", "a")
' expect: 1 1 1 0
WScript.Echo InStr(2, "abc", ""), CStr(IsNull(InStr(Null, "a"))), InStr(3, "abc", "c"), InStr(3, "abc", "b")
' expect: 2 True 3 0
WScript.Echo InStrRev("hello", "l"), InStrRev("hello", "l", 3), InStrRev("a.b.c", "."), InStrRev("abc", "z")
' expect: 4 3 4 0
WScript.Echo InStrRev("ABC", "b", -1, 1)
' expect: 2
WScript.Echo Replace("aaa", "a", "b"), Replace("Hello", "L", "x", 1, -1, 1), Replace("Hello", "L", "x")
' expect: bbb Hexxo Hello
WScript.Echo Replace("abcabc", "b", "X", 3), Replace("abcabc", "b", "X", 1, 1), Replace("abc", "", "X")
' expect: caXc aXcabc abc
WScript.Echo Replace("a.b.c", ".", ""), Replace("aaaa", "aa", "a")
' expect: abc aa
WScript.Echo StrComp("a", "b"), StrComp("b", "a"), StrComp("a", "a"), StrComp("a", "A"), StrComp("a", "A", 1)
' expect: -1 1 0 1 0
WScript.Echo StrComp("abc", "ab"), StrComp("ABC", "abd", vbTextCompare), CStr(IsNull(StrComp(Null, "a")))
' expect: 1 -1 True
WScript.Echo LCase("HeLLo 1"), UCase("HeLLo 1")
' expect: hello 1 HELLO 1
WScript.Echo "[" & Trim("  x y  ") & "]", "[" & LTrim("  x ") & "]", "[" & RTrim("  x ") & "]"
' expect: [x y] [x ] [  x]
WScript.Echo "[" & Space(3) & "]", String(3, "ab"), String(3, 65), "[" & Space(0) & "]"
' expect: [   ] aaa AAA []
WScript.Echo StrReverse("abc"), "[" & StrReverse("") & "]"
' expect: cba []
WScript.Echo Asc("A"), Asc("abc"), Chr(65), Chr(97) & Chr(98)
' expect: 65 97 A ab
WScript.Echo AscW(ChrW(8364)), Len(ChrW(8364)), AscW("A"), Len(Chr(0))
' expect: 8364 1 65 1
WScript.Echo Len(vbCrLf), Asc(vbCr), Asc(vbLf), Asc(vbTab), Len(vbNullString), Asc(vbNullChar)
' expect: 2 13 10 9 0 0
WScript.Echo CStr(vbNewLine = vbCrLf), CStr(vbCrLf = Chr(13) & Chr(10))
' expect: True True
a = Split("a,b,c", ",")
WScript.Echo UBound(a), a(0), a(2)
' expect: 2 a c
a = Split("a,b,c", ",", 2)
WScript.Echo UBound(a), a(1)
' expect: 1 b,c
a = Split("")
WScript.Echo UBound(a)
' expect: -1
a = Split("one two  three")
WScript.Echo UBound(a), "[" & a(2) & "]"
' expect: 3 []
a = Split("aXbxc", "x", -1, 1)
WScript.Echo UBound(a), a(1)
' expect: 2 b
a = Split("aXbxc", "x")
WScript.Echo UBound(a), a(0)
' expect: 1 aXb
a = Split("a,,b", ",")
WScript.Echo UBound(a), "[" & a(1) & "]"
' expect: 2 []
a = Split("abc", "")
WScript.Echo UBound(a), a(0)
' expect: 0 abc
WScript.Echo Join(Array("a", "b", "c"), "-"), Join(Array("a", "b")), Join(Array("a", "b"), ""), "[" & Join(Array()) & "]"
' expect: a-b-c a b ab []
WScript.Echo Join(Array(1, 2.5, True), ",")
' expect: 1,2.5,True
a = Filter(Array("apple", "banana", "cherry"), "an")
WScript.Echo UBound(a), a(0)
' expect: 0 banana
a = Filter(Array("apple", "banana", "cherry"), "an", False)
WScript.Echo Join(a, ",")
' expect: apple,cherry
a = Filter(Array("Apple", "grape", "kiwi"), "AP", True, vbTextCompare)
WScript.Echo Join(a, ",")
' expect: Apple,grape
a = Filter(Array("x", "y"), "z")
WScript.Echo UBound(a)
' expect: -1
WScript.Echo Escape("a b&c"), Escape("a-b_c.d*e@f+g/h"), Escape("100%"), Escape(ChrW(8364)), Escape(Chr(233))
' expect: a%20b%26c a-b_c.d*e@f+g/h 100%25 %u20AC %E9
WScript.Echo Unescape("a%20b%26c"), AscW(Unescape("%u20AC")), Unescape("100%"), Unescape("%zz")
' expect: a b&c 8364 100% %zz
WScript.Echo "abc" & 1.5 & True & Empty
' expect: abc1.5True
WScript.Echo CStr(LCase(Empty) = ""), CStr(IsNull(LCase(Null))), CStr(IsNull(Left(Null, 1)))
' expect: True True True
WScript.Echo """quoted""", Len("""")
' expect: "quoted" 1
On Error Resume Next
v = Left("abc", -1)
WScript.Echo "Left -1: " & Err.Number
' expect: Left -1: 5
Err.Clear
v = Mid("abc", 0)
WScript.Echo "Mid 0: " & Err.Number
' expect: Mid 0: 5
Err.Clear
v = Asc("")
WScript.Echo "Asc empty: " & Err.Number
' expect: Asc empty: 5
Err.Clear
v = Space(-1)
WScript.Echo "Space -1: " & Err.Number
' expect: Space -1: 5
Err.Clear
v = InStr(0, "abc", "a")
WScript.Echo "InStr 0: " & Err.Number
' expect: InStr 0: 5
Err.Clear

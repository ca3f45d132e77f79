' Byte-oriented string functions: a string is two bytes per character.
WScript.Echo LenB("abc"), LeftB("abc", 4), RightB("abc", 2)
' expect: 6 ab c
WScript.Echo MidB("abc", 3, 2), MidB("abc", 3), "[" & MidB("abc", 7) & "]"
' expect: b bc []
WScript.Echo AscB("A"), InStrB("abc", "b"), IsNull(MidB(Null, 1)), IsNull(LeftB(Null, 2))
' expect: 65 3 True True
WScript.Echo LeftB("abc", 0) = "", RightB("ab", 10)
' expect: True ab

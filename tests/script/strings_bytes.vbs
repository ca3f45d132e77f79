' Byte-oriented string functions: a string is two bytes per character.
WScript.Echo LenB("abc"), LeftB("abc", 4), RightB("abc", 2)
WScript.Echo MidB("abc", 3, 2), MidB("abc", 3), "[" & MidB("abc", 7) & "]"
WScript.Echo AscB("A"), InStrB("abc", "b"), IsNull(MidB(Null, 1)), IsNull(LeftB(Null, 2))
WScript.Echo LeftB("abc", 0) = "", RightB("ab", 10)
'@expect
' 6 ab c
' b bc []
' 65 3 True True
' True ab

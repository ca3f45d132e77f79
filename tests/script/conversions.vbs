' Conversion functions, subtypes, VarType and TypeName, numeric literals.
Class Thing
End Class
Dim o, v
WScript.Echo CInt(2.5), CInt(3.5), CInt(-2.5), CInt(2.6), CInt(-2.6)
' expect: 2 4 -2 3 -3
WScript.Echo CInt("12"), CInt(True), CInt(False)
' expect: 12 -1 0
WScript.Echo CLng(2.5), CLng(1.5), CLng(-1.5), CLng("123456")
' expect: 2 2 -2 123456
WScript.Echo CByte(255), CByte(1.5)
' expect: 255 2
WScript.Echo CDbl("1.5") * 2
' expect: 3
WScript.Echo CStr(CBool(0)), CStr(CBool(5)), CStr(CBool(-1)), CStr(CBool("True")), CStr(CBool("false"))
' expect: False True True True False
WScript.Echo CStr(1.5), CStr(0.1), CStr(-0.5), CStr(100)
' expect: 1.5 0.1 -0.5 100
WScript.Echo CStr(1 / 3), CStr(2 / 3)
' expect: 0.333333333333333 0.666666666666667
WScript.Echo CStr(1E+20), CStr(1E-05), CStr(0.0001)
' expect: 1E+20 1E-05 0.0001
WScript.Echo CStr(1E+15), CStr(100000000000000)
' expect: 1E+15 100000000000000
WScript.Echo CStr(123456789012345678)
' expect: 1.23456789012346E+17
WScript.Echo "[" & CStr(Empty) & "]"
' expect: []
WScript.Echo CStr(True), CStr(False)
' expect: True False
WScript.Echo CCur(1.23456), TypeName(CCur(1))
' expect: 1.2346 Currency
WScript.Echo CSng(1.5), TypeName(CSng(1))
' expect: 1.5 Single
WScript.Echo CDbl(CSng(1.1))
' expect: 1.10000002384186
WScript.Echo CDbl(#1/1/2000#), CLng(#1/1/2000#)
' expect: 36526 36526
WScript.Echo CDate(36526)
' expect: 1/1/2000
WScript.Echo Month(CDate("1/2/2000")), Day(CDate("1/2/2000"))
' expect: 1 2

WScript.Echo TypeName(1), TypeName(100000), TypeName(1.5), TypeName("x")
' expect: Integer Long Double String
WScript.Echo TypeName(Empty), TypeName(Null), TypeName(Nothing), TypeName(True)
' expect: Empty Null Nothing Boolean
WScript.Echo TypeName(CByte(1)), TypeName(CInt(1)), TypeName(CLng(1)), TypeName(CDbl(1))
' expect: Byte Integer Long Double
WScript.Echo TypeName(#1/1/2000#), TypeName(Now), TypeName(Array()), TypeName(v)
' expect: Date Date Variant() Empty
Set o = New Thing
WScript.Echo TypeName(o), TypeName(CreateObject("Scripting.Dictionary"))
' expect: Thing Dictionary
WScript.Echo VarType(Empty), VarType(Null), VarType(1), VarType(100000), VarType(CSng(1))
' expect: 0 1 2 3 4
WScript.Echo VarType(1.5), VarType(CCur(1)), VarType(Now), VarType("s"), VarType(o)
' expect: 5 6 7 8 9
WScript.Echo VarType(True), VarType(CByte(1)), VarType(Array(1, 2))
' expect: 11 17 8204
WScript.Echo TypeName(32767), TypeName(32768), TypeName(2147483647), TypeName(2147483648)
' expect: Integer Long Long Double

WScript.Echo &HFF, &HFFFF, &HFFFF&, &O17, &H7FFFFFFF, &H8000
' expect: 255 -1 65535 15 2147483647 -32768
WScript.Echo TypeName(&HFF), TypeName(&HFFFF&)
' expect: Integer Long
WScript.Echo Hex(255), Hex(-1), Hex(65535), Hex(-32769), Hex(0)
' expect: FF FFFF FFFF FFFF7FFF 0
WScript.Echo Oct(8), Oct(64), Oct(-1)
' expect: 10 100 177777
WScript.Echo CStr(IsNumeric("12")), CStr(IsNumeric("1e3")), CStr(IsNumeric("abc"))
' expect: True True False
WScript.Echo CStr(IsNumeric("")), CStr(IsNumeric(Empty)), CStr(IsNumeric(Null)), CStr(IsNumeric(3.5))
' expect: False True False True
WScript.Echo CStr(IsEmpty(v)), CStr(IsEmpty("")), CStr(IsNull(Null)), CStr(IsNull(Empty))
' expect: True False True False
WScript.Echo CStr(IsObject(o)), CStr(IsObject(Nothing)), CStr(IsObject(1))
' expect: True True False
WScript.Echo CStr(IsArray(Array())), CStr(IsArray("a"))
' expect: True False

On Error Resume Next
v = CInt(32768)
WScript.Echo "CInt(32768): " & Err.Number
' expect: CInt(32768): 6
Err.Clear
v = CInt(-32769)
WScript.Echo "CInt(-32769): " & Err.Number
' expect: CInt(-32769): 6
Err.Clear
v = CLng(2147483648)
WScript.Echo "CLng(2147483648): " & Err.Number
' expect: CLng(2147483648): 6
Err.Clear
v = CByte(256)
WScript.Echo "CByte(256): " & Err.Number
' expect: CByte(256): 6
Err.Clear
v = CByte(-1)
WScript.Echo "CByte(-1): " & Err.Number
' expect: CByte(-1): 6
Err.Clear
v = CInt("abc")
WScript.Echo "CInt(abc): " & Err.Number
' expect: CInt(abc): 13
Err.Clear
v = CBool("abc")
WScript.Echo "CBool(abc): " & Err.Number
' expect: CBool(abc): 13
Err.Clear
v = CInt(Null)
WScript.Echo "CInt(Null): " & Err.Number
' expect: CInt(Null): 94
Err.Clear
v = CStr(Null)
WScript.Echo "CStr(Null): " & Err.Number
' expect: CStr(Null): 94
Err.Clear
v = CDate("not a date")
WScript.Echo "CDate: " & Err.Number
' expect: CDate: 13
Err.Clear

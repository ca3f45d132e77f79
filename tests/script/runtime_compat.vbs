' Run-time behaviour that pages rely on: comparisons across subtypes,
' conversions, Null arguments, Err.Raise, Currency, ExecuteGlobal and
' RegExp.Replace with a function.
Option Explicit
Dim x, y, r, c

' A string that is not a number is unequal to a number, not an error.
WScript.Echo "true" <> True, "" = True, "" <> False = False, "1" = 1, 1 = "1"
' expect: True False False True True
x = "true": y = True
WScript.Echo x <> y, x = y
' expect: True False
Select Case 3
    Case "test": WScript.Echo "wrong"
    Case 0, False, 2 + 1: WScript.Echo "three"
End Select
' expect: three
Select Case 0
    Case "2": WScript.Echo "wrong"
    Case Else: WScript.Echo "else"
End Select
' expect: else
y = "3"
Select Case y
    Case "3": WScript.Echo "string case"
    Case 3: WScript.Echo "wrong"
End Select
' expect: string case

WScript.Echo CBool("#TRUE#"), CBool("#false#"), CByte(True), TypeName(CByte(True)), CByte(False)
' expect: True False 255 Byte 0
WScript.Echo IsDate(CreateObject("Scripting.Dictionary")), IsDate(Nothing), IsDate("1/2/2020")
' expect: False False True

' Null where a text or number is required raises 94.
On Error Resume Next
x = Replace(Null, "a", "b"): WScript.Echo "Replace", Err.Number: Err.Clear
' expect: Replace 94
x = Replace("a", "a", Null): WScript.Echo "Replace with", Err.Number: Err.Clear
' expect: Replace with 94
x = Space(Null): WScript.Echo "Space", Err.Number: Err.Clear
' expect: Space 94
x = InStrRev(Null, "a"): WScript.Echo "InStrRev", Err.Number: Err.Clear
' expect: InStrRev 94
x = InStrRev("a", Null): WScript.Echo "InStrRev find", Err.Number: Err.Clear
' expect: InStrRev find 94
x = Split(Null): WScript.Echo "Split", Err.Number: Err.Clear
' expect: Split 94
x = Mid("abc", Null): WScript.Echo "Mid start", Err.Number: Err.Clear
' expect: Mid start 94
x = Sgn(Null): WScript.Echo "Sgn", Err.Number: Err.Clear
' expect: Sgn 94
' Mid, Left and InStr of Null stay Null.
WScript.Echo IsNull(Mid(Null, 1)), IsNull(Left(Null, 1)), IsNull(InStr(Null, "a")), Err.Number
' expect: True True True 0

Err.Raise 1000, "Negozio", "Prezzo mancante", "aiuto.chm", 42
WScript.Echo Err.Number, Err.Source, Err.Description, Err.HelpFile, Err.HelpContext
' expect: 1000 Negozio Prezzo mancante aiuto.chm 42
Err.Clear
WScript.Echo "[" & Err.HelpFile & "]", Err.HelpContext
' expect: [] 0
On Error GoTo 0

' Currency is a scaled 64-bit integer: exact to the last of its 19 digits.
c = CCur(922337203685477)
WScript.Echo c, TypeName(c), CCur("922337203685477.5807"), CCur("-922337203685477.5808")
' expect: 922337203685477 Currency 922337203685477.5807 -922337203685477.5808
WScript.Echo CCur(0.1) + CCur(0.2) = CCur(0.3), CCur("1.23456") * 3, CCur(2.5) * CCur(1.5), CCur(1) / 3
' expect: True 3.7038 3.75 0.3333
WScript.Echo CCur("1.00005"), CCur("1.00015"), CCur(100000000000) * 5, TypeName(CCur(1) + 1), CCur(1) + 0.5
' expect: 1 1.0002 500000000000 Currency 1.5
WScript.Echo CCur("922337203685477.5807") - CCur("922337203685477.5806"), -CCur("922337203685477.5807")
' expect: 0.0001 -922337203685477.5807
WScript.Echo FormatNumber(CCur("123456789012.3456"), 2), FormatCurrency(CCur("1234.5"))
' expect: 123,456,789,012.35 $1,234.50
On Error Resume Next
x = CCur(922337203685477) + 1
WScript.Echo "overflow", Err.Number
' expect: overflow 6
Err.Clear
On Error GoTo 0

WScript.Echo FormatDateTime(DateSerial(2024, 3, 5), vbLongDate)
' expect: Tuesday, March 5, 2024

' ExecuteGlobal declares names for code bound before it ran.
ExecuteGlobal "Dim late"
late = 5
Sub Bump
    late = late + 1
End Sub
Bump
WScript.Echo late
' expect: 6

' RegExp.Replace with a function: match, submatches, position, text.
Function Mark(m, first, pos, text)
    Mark = "[" & m & ":" & first & "@" & pos & "/" & Len(text) & "]"
End Function
Set r = New RegExp
r.Pattern = "(\d)\d*"
r.Global = True
WScript.Echo r.Replace("a12b3", GetRef("Mark"))
' expect: a[12:1@1/5]b[3:3@4/5]
r.Global = False
WScript.Echo r.Replace("a12b3", GetRef("Mark")), r.Replace("x", GetRef("Mark"))
' expect: a[12:1@1/5]b3 x

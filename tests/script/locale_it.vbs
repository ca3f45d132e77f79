' The Italian locale (1040): decimal comma, thousands point, Italian names.
Dim old, d
old = SetLocale(1033)
WScript.Echo GetLocale()
' expect: 1033
old = SetLocale(1040)
WScript.Echo old, GetLocale()
' expect: 1033 1040
WScript.Echo CStr(1.5), CStr(1234.5), CStr(-0.25), 2.5
' expect: 1,5 1234,5 -0,25 2,5
WScript.Echo CDbl("1,5") * 2, "1,5" + 1
' expect: 3 2,5
WScript.Echo CStr(True), CStr(False)
' expect: Vero Falso
WScript.Echo FormatNumber(1234.5), FormatNumber(1234567.891, 2), FormatNumber(0.5, 1)
' expect: 1.234,50 1.234.567,89 0,5
WScript.Echo FormatPercent(0.5), FormatPercent(0.125, 1)
' expect: 50,00% 12,5%
WScript.Echo MonthName(1), MonthName(3), MonthName(12), MonthName(1, True), MonthName(8, True)
' expect: gennaio marzo dicembre gen ago
WScript.Echo WeekdayName(1), WeekdayName(2), WeekdayName(7), WeekdayName(2, True), WeekdayName(5, True)
' expect: domenica lunedì sabato lun gio
d = #1/2/2000 3:04:05 PM#
WScript.Echo CStr(d)
' expect: 02/01/2000 15:04:05
WScript.Echo CStr(#1/2/2000#), CStr(#3:04:05 PM#)
' expect: 02/01/2000 15:04:05
WScript.Echo FormatDateTime(d, vbShortDate), FormatDateTime(d, vbLongTime), FormatDateTime(d, vbShortTime)
' expect: 02/01/2000 15:04:05 15:04
WScript.Echo FormatDateTime(d, vbLongDate)
' expect: domenica 2 gennaio 2000
WScript.Echo Month(CDate("02/01/2000")), Day(CDate("02/01/2000"))
' expect: 1 2
WScript.Echo CStr(IsNumeric("1,5")), CStr(IsDate("31/12/2000"))
' expect: Vero Vero
WScript.Echo "prezzo: " & 12.5
' expect: prezzo: 12,5
old = SetLocale(1033)
WScript.Echo old, CStr(1.5), FormatNumber(1234.5), MonthName(1), CStr(#1/2/2000#)
' expect: 1040 1.5 1,234.50 January 1/2/2000
old = SetLocale("it-it")
WScript.Echo GetLocale(), CStr(0.5)
' expect: 1040 0,5

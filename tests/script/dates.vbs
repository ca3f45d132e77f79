' Dates and times in the default English (United States) locale.
Dim d, t, v
d = #1/2/2000 3:04:05 PM#
WScript.Echo Year(d), Month(d), Day(d), Hour(d), Minute(d), Second(d)
' expect: 2000 1 2 15 4 5
WScript.Echo Weekday(d), Weekday(d, vbMonday), Weekday(#1/1/2000#)
' expect: 1 7 7
WScript.Echo d
' expect: 1/2/2000 3:04:05 PM
WScript.Echo #1/2/2000#, #3:04:05 PM#, #13:30#
' expect: 1/2/2000 3:04:05 PM 1:30:00 PM
WScript.Echo CDate(0), CDate(0.5), CDate(1.25)
' expect: 12:00:00 AM 12:00:00 PM 12/31/1899 6:00:00 AM
WScript.Echo WeekdayName(1), WeekdayName(1, True), WeekdayName(7), WeekdayName(1, False, vbMonday)
' expect: Sunday Sun Saturday Monday
WScript.Echo MonthName(1), MonthName(2, True), MonthName(12)
' expect: January Feb December
WScript.Echo DateSerial(2000, 2, 29), DateSerial(2000, 13, 1), DateSerial(2000, 3, 0), DateSerial(1999, 1, -1)
' expect: 2/29/2000 1/1/2001 2/29/2000 12/30/1998
WScript.Echo TimeSerial(13, 30, 0), TimeSerial(0, 90, 0), TimeSerial(0, 0, 59)
' expect: 1:30:00 PM 1:30:00 AM 12:00:59 AM
WScript.Echo DateAdd("d", 1, #1/31/2000#), DateAdd("m", 1, #1/31/2000#), DateAdd("yyyy", 1, #2/29/2000#)
' expect: 2/1/2000 2/29/2000 2/28/2001
WScript.Echo DateAdd("h", 2, #1/1/2000 11:00:00 PM#), DateAdd("ww", 1, #1/1/2000#), DateAdd("q", 1, #1/1/2000#)
' expect: 1/2/2000 1:00:00 AM 1/8/2000 4/1/2000
WScript.Echo DateAdd("n", 90, #1/1/2000#), DateAdd("s", -1, #1/1/2000#), DateAdd("d", -1, "3/1/2000")
' expect: 1/1/2000 1:30:00 AM 12/31/1999 11:59:59 PM 2/29/2000
WScript.Echo DateAdd("m", -1, #3/31/2000#), DateAdd("y", 1, #12/31/1999#), DateAdd("w", 2, #1/1/2000#)
' expect: 2/29/2000 1/1/2000 1/3/2000
WScript.Echo DateDiff("d", #1/1/2000#, #3/1/2000#), DateDiff("m", #1/31/2000#, #2/1/2000#), DateDiff("yyyy", #12/31/1999#, #1/1/2000#)
' expect: 60 1 1
WScript.Echo DateDiff("h", #1/1/2000#, #1/2/2000#), DateDiff("d", #1/2/2000#, #1/1/2000#), DateDiff("n", #1/1/2000#, #1/1/2000 1:30:00 AM#)
' expect: 24 -1 90
WScript.Echo DateDiff("s", #1/1/2000#, #1/1/2000 12:01:00 AM#), DateDiff("ww", #1/1/2000#, #1/3/2000#), DateDiff("w", #1/1/2000#, #1/3/2000#)
' expect: 60 1 0
WScript.Echo DateDiff("q", #1/1/2000#, #12/31/2000#), DateDiff("w", #1/1/2000#, #1/15/2000#)
' expect: 3 2
WScript.Echo DatePart("q", #5/1/2000#), DatePart("y", #2/1/2000#), DatePart("ww", #1/1/2000#), DatePart("w", #1/2/2000#)
' expect: 2 32 1 1
WScript.Echo DatePart("ww", #12/31/2000#), DatePart("ww", #1/8/2000#), DatePart("y", #12/31/2000#), DatePart("q", #12/31/2000#)
' expect: 54 2 366 4
WScript.Echo DatePart("yyyy", d), DatePart("m", d), DatePart("d", d), DatePart("h", d), DatePart("n", d), DatePart("s", d)
' expect: 2000 1 2 15 4 5
WScript.Echo DateValue("1/2/2000 3:00:00 PM"), TimeValue("3:04:05 PM"), TimeValue("15:04")
' expect: 1/2/2000 3:04:05 PM 3:04:00 PM
WScript.Echo CStr(IsDate("1/2/2000")), CStr(IsDate("hello")), CStr(IsDate(#1/1/2000#)), CStr(IsDate("2/30/2000")), CStr(IsDate(""))
' expect: True False True False False
WScript.Echo #1/2/2000# - #1/1/2000#, #1/1/2000# + 1, TypeName(#1/1/2000# + 1)
' expect: 1 1/2/2000 Date
WScript.Echo CStr(#1/1/2000# < #1/2/2000#), CStr(#1/1/2000 12:00:00 PM# > #1/1/2000#)
' expect: True True
WScript.Echo DateSerial(2000, 1, 1) - 1, CDbl(DateSerial(1899, 12, 29))
' expect: 12/31/1999 -1
WScript.Echo Hour(0.75), Minute("3:04 PM"), Day("2/29/2000")
' expect: 18 4 29
WScript.Echo TypeName(Now), TypeName(Date), TypeName(Time)
' expect: Date Date Date
WScript.Echo CStr(Int(CDbl(Now)) = CDbl(Date) Or Int(CDbl(Now)) = CDbl(Date) + 1)
' expect: True
WScript.Echo CStr(CDbl(Time) < 1), CStr(Year(Date) >= 2024)
' expect: True True
WScript.Echo FormatDateTime(d, vbGeneralDate), FormatDateTime(#1/2/2000#)
' expect: 1/2/2000 3:04:05 PM 1/2/2000
WScript.Echo FormatDateTime(d, vbShortDate), FormatDateTime(d, vbLongTime), FormatDateTime(d, vbShortTime)
' expect: 1/2/2000 3:04:05 PM 15:04
WScript.Echo FormatDateTime(#9:05:00 AM#, vbShortTime), FormatDateTime(#9:05:00 AM#, vbLongTime)
' expect: 09:05 9:05:00 AM
On Error Resume Next
v = MonthName(13)
WScript.Echo "MonthName(13): " & Err.Number
' expect: MonthName(13): 5
Err.Clear
v = WeekdayName(0)
WScript.Echo "WeekdayName(0): " & Err.Number
' expect: WeekdayName(0): 5
Err.Clear
v = DateAdd("x", 1, Now)
WScript.Echo "DateAdd x: " & Err.Number
' expect: DateAdd x: 5
Err.Clear
v = Year("not a date")
WScript.Echo "Year(text): " & Err.Number
' expect: Year(text): 13
Err.Clear

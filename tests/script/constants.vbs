' Built-in constants and engine information.
WScript.Echo vbBinaryCompare, vbTextCompare, vbUseDefault, vbTrue, vbFalse
WScript.Echo vbSunday, vbMonday, vbTuesday, vbWednesday, vbThursday, vbFriday, vbSaturday, vbUseSystemDayOfWeek
WScript.Echo vbFirstJan1, vbFirstFourDays, vbFirstFullWeek, vbUseSystem
WScript.Echo vbGeneralDate, vbLongDate, vbShortDate, vbLongTime, vbShortTime
WScript.Echo vbEmpty, vbNull, vbInteger, vbLong, vbSingle, vbDouble, vbCurrency, vbDate, vbString
WScript.Echo vbObject, vbError, vbBoolean, vbVariant, vbDataObject, vbDecimal, vbByte, vbArray
WScript.Echo vbObjectError, Hex(vbObjectError)
WScript.Echo vbBlack, vbRed, vbGreen, vbYellow, vbBlue, vbMagenta, vbCyan, vbWhite
WScript.Echo Asc(vbFormFeed), Asc(vbVerticalTab), Len(vbNewLine)
WScript.Echo vbOKOnly, vbOKCancel, vbYesNo, vbCritical, vbOK, vbCancel, vbYes, vbNo
WScript.Echo ScriptEngine, ScriptEngineMajorVersion
WScript.Echo CStr(ScriptEngineMinorVersion >= 0), CStr(ScriptEngineBuildVersion >= 0)
WScript.Echo CStr(True), CStr(False), True + 0, False + 0
'@expect
' 0 1 -2 -1 0
' 1 2 3 4 5 6 7 0
' 1 2 3 0
' 0 1 2 3 4
' 0 1 2 3 4 5 6 7 8
' 9 10 11 12 13 14 17 8192
' -2147221504 80040000
' 0 255 65280 65535 16711680 16711935 16776960 16777215
' 12 11 2
' 0 1 4 16 1 2 6 7
' VBScript 5
' True True
' True False -1 0

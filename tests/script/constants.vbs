' Built-in constants and engine information.
WScript.Echo vbBinaryCompare, vbTextCompare, vbUseDefault, vbTrue, vbFalse
' expect: 0 1 -2 -1 0
WScript.Echo vbSunday, vbMonday, vbTuesday, vbWednesday, vbThursday, vbFriday, vbSaturday, vbUseSystemDayOfWeek
' expect: 1 2 3 4 5 6 7 0
WScript.Echo vbFirstJan1, vbFirstFourDays, vbFirstFullWeek, vbUseSystem
' expect: 1 2 3 0
WScript.Echo vbGeneralDate, vbLongDate, vbShortDate, vbLongTime, vbShortTime
' expect: 0 1 2 3 4
WScript.Echo vbEmpty, vbNull, vbInteger, vbLong, vbSingle, vbDouble, vbCurrency, vbDate, vbString
' expect: 0 1 2 3 4 5 6 7 8
WScript.Echo vbObject, vbError, vbBoolean, vbVariant, vbDataObject, vbDecimal, vbByte, vbArray
' expect: 9 10 11 12 13 14 17 8192
WScript.Echo vbObjectError, Hex(vbObjectError)
' expect: -2147221504 80040000
WScript.Echo vbBlack, vbRed, vbGreen, vbYellow, vbBlue, vbMagenta, vbCyan, vbWhite
' expect: 0 255 65280 65535 16711680 16711935 16776960 16777215
WScript.Echo Asc(vbFormFeed), Asc(vbVerticalTab), Len(vbNewLine)
' expect: 12 11 2
WScript.Echo vbOKOnly, vbOKCancel, vbYesNo, vbCritical, vbOK, vbCancel, vbYes, vbNo
' expect: 0 1 4 16 1 2 6 7
WScript.Echo ScriptEngine, ScriptEngineMajorVersion
' expect: VBScript 5
WScript.Echo CStr(ScriptEngineMinorVersion >= 0), CStr(ScriptEngineBuildVersion >= 0)
' expect: True True
WScript.Echo CStr(True), CStr(False), True + 0, False + 0
' expect: True False -1 0

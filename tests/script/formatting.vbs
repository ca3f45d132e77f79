' FormatNumber, FormatCurrency, FormatPercent in the English (United States) locale.
Dim v
WScript.Echo FormatNumber(1234.5), FormatNumber(1234.56, 0), FormatNumber(1234567.891)
' expect: 1,234.50 1,235 1,234,567.89
WScript.Echo FormatNumber(0.5), FormatNumber(0.5, 2, vbFalse), FormatNumber(0), FormatNumber(-0.5, 2)
' expect: 0.50 .50 0.00 -0.50
WScript.Echo FormatNumber(-1234.5, 2, vbUseDefault, vbTrue), FormatNumber(1234.5, 2, vbUseDefault, vbUseDefault, vbFalse)
' expect: (1,234.50) 1234.50
WScript.Echo FormatNumber(1000000, 0), FormatNumber(12.3456, 3), FormatNumber("42", 1), FormatNumber(-7, 0)
' expect: 1,000,000 12.346 42.0 -7
WScript.Echo FormatNumber(999.999, 2), FormatNumber(1, 4)
' expect: 1,000.00 1.0000
WScript.Echo FormatCurrency(1234.5), FormatCurrency(-1234.5), FormatCurrency(0), FormatCurrency(5, 0)
' expect: $1,234.50 ($1,234.50) $0.00 $5
WScript.Echo FormatPercent(0.256), FormatPercent(0.256, 0), FormatPercent(1), FormatPercent(-0.5, 1)
' expect: 25.60% 26% 100.00% -50.0%
WScript.Echo FormatNumber(1234.5, 2, , , vbFalse)
' expect: 1234.50
On Error Resume Next
v = FormatNumber("abc")
WScript.Echo "FormatNumber(abc): " & Err.Number
' expect: FormatNumber(abc): 13
Err.Clear

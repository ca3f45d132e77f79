' An absurd array size is refused with an error, not a crash.
Dim a()
WScript.Echo "start"
' expect: start
On Error Resume Next
ReDim a(2000000000)
WScript.Echo CStr(Err.Number = 7 Or Err.Number = 9 Or Err.Number = 14 Or Err.Number = 6)
' expect: True
Err.Clear
ReDim a(2)
WScript.Echo UBound(a)
' expect: 2

' String building in a loop and the common string functions.
Dim s, i, t, c
s = ""
For i = 1 To 300000
    s = s & "item" & i & ";"
Next
c = 0
For i = 1 To 200000
    t = UCase(Mid("abcdefghij", (i Mod 5) + 1, 4))
    If InStr(t, "D") > 0 Then c = c + 1
    t = Replace("a-b-c-" & i, "-", "+")
    c = c + Len(t) + Len(Trim("  " & Left(t, 3) & "  "))
Next
WScript.Echo Len(s), c

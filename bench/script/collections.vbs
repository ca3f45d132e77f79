' Array and dictionary work: fill, sum, split/join, keyed lookups, For Each.
Dim a(), d, i, k, total, n, parts
ReDim a(199999)
For i = 0 To 199999
    a(i) = i * 2
Next
total = 0
For i = 0 To 199999
    total = total + a(i)
Next
parts = Split(Join(a, ","), ",")
Set d = CreateObject("Scripting.Dictionary")
For i = 0 To 99999
    d.Add "k" & i, i
Next
For i = 0 To 99999 Step 3
    If d.Exists("k" & i) Then total = total + d("k" & i)
Next
n = 0
For Each k In d.Keys
    If Len(k) = 6 Then n = n + 1
Next
d.Remove "k5"
WScript.Echo total, UBound(parts), d.Count, n

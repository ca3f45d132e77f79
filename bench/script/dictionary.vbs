' Scripting.Dictionary with 100,000 string keys: Add, Exists, Item, update,
' For Each over Keys and Items.
Dim d, i, k, hits, total, keyLen, v
Set d = CreateObject("Scripting.Dictionary")
For i = 0 To 99999
    d.Add "prodotto-" & i, i
Next
hits = 0
For i = 0 To 199999 Step 2
    If d.Exists("prodotto-" & i) Then hits = hits + 1
Next
total = 0
For i = 0 To 99999
    total = total + d.Item("prodotto-" & i)
Next
For i = 0 To 99999 Step 5
    d("prodotto-" & i) = d("prodotto-" & i) + 1
Next
keyLen = 0
For Each k In d.Keys
    keyLen = keyLen + Len(k)
Next
For Each v In d.Items
    total = total + v
Next
WScript.Echo d.Count, hits, total, keyLen

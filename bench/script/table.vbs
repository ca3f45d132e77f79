' Rendering a 1,000-row HTML table from arrays, twenty times.
Dim names(999), prices(999), qty(999), i, r, html, cls
For i = 0 To 999
    names(i) = "Prodotto <" & i & "> & co"
    prices(i) = i * 1.25
    qty(i) = i Mod 17
Next
Function Enc(s)
    Enc = Replace(Replace(Replace(s, "&", "&amp;"), "<", "&lt;"), ">", "&gt;")
End Function
For r = 1 To 20
    html = "<table>" & vbCrLf
    For i = 0 To 999
        If i Mod 2 = 0 Then cls = "even" Else cls = "odd"
        html = html & "<tr class=""" & cls & """><td>" & (i + 1) & "</td><td>" & Enc(names(i)) _
            & "</td><td>" & FormatNumber(prices(i), 2) & "</td><td>" & qty(i) _
            & "</td><td>" & FormatNumber(prices(i) * qty(i), 2) & "</td></tr>" & vbCrLf
    Next
    html = html & "</table>"
Next
WScript.Echo Len(html)

' A 1,000-row product table built by string concatenation, each text through
' an HTML encoding like Server.HTMLEncode and each amount through
' FormatNumber, ten times.
Dim names(999), notes(999), prices(999), i, r, html, n
For i = 0 To 999
    names(i) = "Maglia ""Estate"" <" & i & "> & co"
    notes(i) = "Taglia " & (i Mod 7) & " & colore " & (i Mod 13)
    prices(i) = i * 3.75 + 0.5
Next
Function HtmlEncode(s)
    HtmlEncode = Replace(Replace(Replace(Replace(s, "&", "&amp;"), "<", "&lt;"), ">", "&gt;"), """", "&quot;")
End Function
For r = 1 To 10
    html = "<table class=""prodotti"">" & vbCrLf
    For i = 0 To 999
        html = html & "<tr><td title=""" & HtmlEncode(notes(i)) & """>" & HtmlEncode(names(i)) & "</td>" _
            & "<td class=""prezzo"">" & FormatNumber(prices(i), 2) & "</td>" _
            & "<td>" & FormatNumber(prices(i) * 1000, 0) & "</td></tr>" & vbCrLf
    Next
    html = html & "</table>"
    n = n + Len(html)
Next
WScript.Echo n

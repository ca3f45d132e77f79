<%@ Language=VBScript %>
<html><body>
<%
Set conn = Server.CreateObject("ADODB.Connection")
conn.Open "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" & Server.MapPath("/db/database.mdb")
Set rs = Server.CreateObject("ADODB.Recordset")
rs.Open "SELECT P.ID, P.Codice, L.Nome, L.Prezzo1 FROM Prodotti P INNER JOIN ProdottiLingue L ON L.IDProdotto = P.ID WHERE L.CodiceLingua = 'it' ORDER BY P.ID", conn
%>
<table>
<% Do While Not rs.EOF %>
<tr><td><%= rs("ID") %></td><td><%= Server.HTMLEncode(rs("Codice")) %></td><td><%= Server.HTMLEncode(rs("Nome")) %></td><td><%= FormatNumber(rs("Prezzo1"), 2) %></td></tr>
<% rs.MoveNext
Loop
rs.Close
conn.Close %>
</table>
</body></html>

#include "DemoStorefront.h"

#include <QDir>
#include <QSaveFile>

namespace {

const char *const StorefrontPage = R"ASP(<%@ Language=VBScript %>
<%
' Demo storefront: categories and products of the project database.
Dim conn, rs, lingua, categoria, titolo, sql
lingua = LCase(Request.QueryString("lingua"))
If lingua <> "en" Then lingua = "it"
categoria = 0
If IsNumeric(Request.QueryString("categoria")) Then categoria = CLng(Request.QueryString("categoria"))

Set conn = Server.CreateObject("ADODB.Connection")
conn.Open "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" & Server.MapPath("/db/database.mdb")

Function Testo(it, en)
    If lingua = "en" Then Testo = en Else Testo = it
End Function

Function Link(cat, lin)
    Link = "default.asp?lingua=" & lin & "&amp;categoria=" & cat
End Function
%>
<!DOCTYPE html>
<html lang="<%= lingua %>">
<head>
<meta charset="utf-8">
<title><%= Testo("Negozio dimostrativo", "Demo shop") %></title>
<style>
body { font-family: sans-serif; margin: 0; color: #333; }
header { background: #2c3e50; color: #fff; padding: 12px 24px; }
header a { color: #fff; margin-left: 12px; }
nav { float: left; width: 220px; padding: 16px; }
nav a { display: block; padding: 4px 0; color: #2c3e50; }
nav a.sotto { padding-left: 16px; }
main { margin-left: 260px; padding: 16px; }
.prodotto { display: inline-block; width: 200px; margin: 8px; vertical-align: top; }
.prodotto img { width: 120px; border: 1px solid #ddd; }
.prezzo { font-weight: bold; color: #c0392b; }
</style>
</head>
<body>
<header><strong><%= Testo("Negozio dimostrativo", "Demo shop") %></strong>
<a href="<%= Link(categoria, "it") %>">Italiano</a><a href="<%= Link(categoria, "en") %>">English</a></header>
<nav>
<%
sql = "SELECT C.ID, C.IDCategoriaPadre, L.Nome FROM Categorie C INNER JOIN CategorieLingue L " & _
      "ON L.IDCategoria = C.ID WHERE L.CodiceLingua = '" & lingua & "' ORDER BY C.IDCategoriaPadre, C.Ordine"
Set rs = conn.Execute(sql)
Do While Not rs.EOF
    If rs("ID") = categoria Then titolo = rs("Nome")
    If rs("IDCategoriaPadre") = 0 Then
%><a href="<%= Link(rs("ID"), lingua) %>"><%= Server.HTMLEncode(rs("Nome")) %></a>
<%  Else
%><a class="sotto" href="<%= Link(rs("ID"), lingua) %>"><%= Server.HTMLEncode(rs("Nome")) %></a>
<%  End If
    rs.MoveNext
Loop
rs.Close
%>
</nav>
<main>
<h2><% If categoria = 0 Then Response.Write Testo("In offerta e novità", "Offers and new arrivals") Else Response.Write Server.HTMLEncode(titolo) %></h2>
<%
sql = "SELECT DISTINCT P.ID, P.Codice, P.Immagine, P.VersioneImmagine, L.Nome, L.DescrizioneBreve, L.Prezzo1 " & _
      "FROM (Prodotti P INNER JOIN ProdottiLingue L ON L.IDProdotto = P.ID) " & _
      "INNER JOIN CategorieProdotti CP ON CP.IDProdotto = P.ID " & _
      "WHERE P.Attivo = True AND P.IDProdottoBase = 0 AND L.CodiceLingua = '" & lingua & "'"
If categoria = 0 Then
    sql = sql & " AND (P.Offerta = True OR P.Novita = True)"
Else
    sql = sql & " AND CP.IDCategoria = " & categoria
End If
Set rs = conn.Execute(sql & " ORDER BY L.Nome")
If rs.EOF Then Response.Write "<p>" & Testo("Nessun prodotto.", "No products.") & "</p>"
Do While Not rs.EOF
%><div class="prodotto">
<% If rs("Immagine") Then %><img src="/images/prodotti/th/<%= rs("ID") %>.jpg?v=<%= rs("VersioneImmagine") %>" alt=""><br><% End If %>
<strong><%= Server.HTMLEncode(rs("Nome")) %></strong><br>
<small><%= rs("Codice") %></small><br>
<%= Server.HTMLEncode(rs("DescrizioneBreve") & "") %><br>
<span class="prezzo">&euro; <%= FormatNumber(rs("Prezzo1"), 2) %></span>
</div>
<%
    rs.MoveNext
Loop
rs.Close
conn.Close
%>
</main>
</body>
</html>
)ASP";

} // namespace

bool writeDemoStorefront(const QString &projectFolder)
{
    const QString asp = QDir(projectFolder).filePath(QStringLiteral("website/asp"));
    if (!QDir().mkpath(asp))
        return false;
    QSaveFile page(QDir(asp).filePath(QStringLiteral("default.asp")));
    if (!page.open(QIODevice::WriteOnly))
        return false;
    page.write(StorefrontPage);
    return page.commit();
}

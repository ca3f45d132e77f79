<%@ LANGUAGE="VBSCRIPT" CODEPAGE="65001" %>
<% prezzo = 12.5 %><%=prezzo*2%>|<% =prezzo %>|<%= "€ " & prezzo %>
<a href="/images/<%=LCase("IT")%>/logo.gif">x</a>
<% @Language = VBScript %>
<% titolo = "Negozio" : conta = 0 %>
<!--#include file="inc/testata.inc"-->
<p>Inclusioni: <%=conta%></p>

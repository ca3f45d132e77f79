<p><%= Sconto(100) %></p>
<script language="VBScript" runat="Server">
Function Sconto(prezzo)
  Sconto = prezzo * 0.9
End Function
</script>
<script>document.title = "x"</script>

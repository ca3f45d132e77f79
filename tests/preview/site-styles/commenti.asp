<% ' i tag <% e <%= qui sono commento
segno = "<%" & "=" : fine = "%" & ">" %><%= Server.HTMLEncode(segno & "x" & fine) %>

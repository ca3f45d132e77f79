<ul><% For i = 1 To 2 %><li><!-- #include virtual="/Comune/Voce.INC" --></li><% Next %></ul>

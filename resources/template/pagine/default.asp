<%@ Language=VBScript %>
<!DOCTYPE html>
<html>
<head>
<meta charset="windows-1252">
<title>%%TITOLO%%</title>
##LINKCSS##
</head>
<body class="Pagina">
<div class="Testo">
##CODICEFIGLIO##
</div>
</body>
</html>

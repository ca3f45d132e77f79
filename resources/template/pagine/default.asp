<%@ Language=VBScript %>
<!DOCTYPE html>
<html>
<head>
<meta charset="utf-8">
<title>%%TITOLO%%</title>
##LINKCSS##
</head>
<body class="Pagina">
<div class="Testo">
##CODICEFIGLIO##
</div>
</body>
</html>

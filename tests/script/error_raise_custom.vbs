WScript.Echo "start"
Err.Raise vbObjectError + 513, "Shop", "Prezzo mancante"
'@error: 2
'@stderr: Prezzo mancante
'@expect
' start

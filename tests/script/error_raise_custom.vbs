WScript.Echo "start"
' expect: start
Err.Raise vbObjectError + 513, "Shop", "Prezzo mancante"
'@error: 3
'@stderr: Prezzo mancante

WScript.Echo "never printed"
If True Then
    WScript.Echo "x"
'@error: * 

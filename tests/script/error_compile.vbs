' A compile error stops the whole file before any statement runs.
WScript.Echo "never printed"
Dim 5
'@error: 3 1010

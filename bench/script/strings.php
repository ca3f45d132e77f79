<?php
// String building in a loop and the common string functions.
$s = "";
for ($i = 1; $i <= 300000; $i++) {
    $s .= "item" . $i . ";";
}
$c = 0;
for ($i = 1; $i <= 200000; $i++) {
    $t = strtoupper(substr("abcdefghij", $i % 5, 4));
    if (strpos($t, "D") !== false) $c = $c + 1;
    $t = str_replace("-", "+", "a-b-c-" . $i);
    $c = $c + strlen($t) + strlen(trim("  " . substr($t, 0, 3) . "  ", " "));
}
echo strlen($s), " ", $c, "\n";

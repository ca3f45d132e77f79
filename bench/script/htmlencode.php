<?php
// A 1,000-row product table built by string concatenation, each text through
// an HTML encoding done the same way and each amount through number_format,
// ten times.
$names = []; $notes = []; $prices = [];
for ($i = 0; $i <= 999; $i++) {
    $names[$i] = "Maglia \"Estate\" <" . $i . "> & co";
    $notes[$i] = "Taglia " . ($i % 7) . " & colore " . ($i % 13);
    $prices[$i] = $i * 3.75 + 0.5;
}
function htmlEncode($s) {
    return str_replace('"', "&quot;", str_replace(">", "&gt;", str_replace("<", "&lt;", str_replace("&", "&amp;", $s))));
}
$n = 0;
for ($r = 1; $r <= 10; $r++) {
    $html = "<table class=\"prodotti\">\r\n";
    for ($i = 0; $i <= 999; $i++) {
        $html .= "<tr><td title=\"" . htmlEncode($notes[$i]) . "\">" . htmlEncode($names[$i]) . "</td>"
            . "<td class=\"prezzo\">" . number_format($prices[$i], 2) . "</td>"
            . "<td>" . number_format($prices[$i] * 1000, 0) . "</td></tr>\r\n";
    }
    $html .= "</table>";
    $n = $n + strlen($html);
}
echo $n, "\n";

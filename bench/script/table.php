<?php
// Rendering a 1,000-row HTML table from arrays, twenty times.
$names = []; $prices = []; $qty = [];
for ($i = 0; $i <= 999; $i++) {
    $names[$i] = "Prodotto <" . $i . "> & co";
    $prices[$i] = $i * 1.25;
    $qty[$i] = $i % 17;
}
function enc($s) {
    return str_replace(">", "&gt;", str_replace("<", "&lt;", str_replace("&", "&amp;", $s)));
}
for ($r = 1; $r <= 20; $r++) {
    $html = "<table>\r\n";
    for ($i = 0; $i <= 999; $i++) {
        $cls = ($i % 2 == 0) ? "even" : "odd";
        $html .= "<tr class=\"" . $cls . "\"><td>" . ($i + 1) . "</td><td>" . enc($names[$i])
            . "</td><td>" . number_format($prices[$i], 2) . "</td><td>" . $qty[$i]
            . "</td><td>" . number_format($prices[$i] * $qty[$i], 2) . "</td></tr>\r\n";
    }
    $html .= "</table>";
}
echo strlen($html), "\n";

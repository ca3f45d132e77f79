<?php
// An associative array with 100,000 string keys: add, exists, read, update,
// foreach over the keys and the values.
$d = [];
for ($i = 0; $i <= 99999; $i++) {
    $d["prodotto-" . $i] = $i;
}
$hits = 0;
for ($i = 0; $i <= 199999; $i += 2) {
    if (array_key_exists("prodotto-" . $i, $d)) $hits++;
}
$total = 0;
for ($i = 0; $i <= 99999; $i++) {
    $total = $total + $d["prodotto-" . $i];
}
for ($i = 0; $i <= 99999; $i += 5) {
    $d["prodotto-" . $i] = $d["prodotto-" . $i] + 1;
}
$keyLen = 0;
foreach (array_keys($d) as $k) {
    $keyLen = $keyLen + strlen($k);
}
foreach (array_values($d) as $v) {
    $total = $total + $v;
}
echo count($d), " ", $hits, " ", $total, " ", $keyLen, "\n";

<?php
// Array and dictionary work: fill, sum, split/join, keyed lookups, foreach.
$a = array_fill(0, 200000, 0);
for ($i = 0; $i <= 199999; $i++) {
    $a[$i] = $i * 2;
}
$total = 0;
for ($i = 0; $i <= 199999; $i++) {
    $total = $total + $a[$i];
}
$parts = explode(",", implode(",", $a));
$d = [];
for ($i = 0; $i <= 99999; $i++) {
    $d["k" . $i] = $i;
}
for ($i = 0; $i <= 99999; $i += 3) {
    if (array_key_exists("k" . $i, $d)) $total = $total + $d["k" . $i];
}
$n = 0;
foreach (array_keys($d) as $k) {
    if (strlen($k) == 6) $n++;
}
unset($d["k5"]);
echo $total, " ", count($parts) - 1, " ", count($d), " ", $n, "\n";

<?php
// Numeric loop with integer and floating-point arithmetic and calls.
function sq($n) { return $n * $n; }
$x = 0; $y = 0.0; $z = 0;
for ($i = 1; $i <= 3000000; $i++) {
    $x = $x + ($i % 7) * 3 - intdiv($i, 5) % 11;
    $y = $y + $i * 0.5 / 3;
}
for ($i = 1; $i <= 500000; $i++) {
    $z = $z + sq($i % 100);
}
echo $x, " ", sprintf("%.0f", floor($y)), " ", $z, "\n";

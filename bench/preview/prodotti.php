<html><body>
<?php
$db = new SQLite3('@DB@', SQLITE3_OPEN_READWRITE);
$rs = $db->query("SELECT P.ID, P.Codice, L.Nome, L.Prezzo1 FROM Prodotti P INNER JOIN ProdottiLingue L ON L.IDProdotto = P.ID WHERE L.CodiceLingua = 'it' ORDER BY P.ID");
?>
<table>
<?php while ($r = $rs->fetchArray(SQLITE3_ASSOC)) { ?>
<tr><td><?= $r['ID'] ?></td><td><?= htmlspecialchars($r['Codice']) ?></td><td><?= htmlspecialchars($r['Nome']) ?></td><td><?= number_format($r['Prezzo1'], 2, ',', '.') ?></td></tr>
<?php } $db->close(); ?>
</table>
</body></html>

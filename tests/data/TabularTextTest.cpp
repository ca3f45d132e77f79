#include "DataFixture.h"

#include "data/Recordset.h"
#include "data/TabularText.h"

#include <QTextStream>

TEST_F(DataTest, RowsPrintAsTabSeparatedText)
{
    native("INSERT INTO Prodotti (ID, Codice, Attivo, Prezzo, DataInserimento) VALUES "
           "(1, 'A\tB', 1, 2.5, '2026-12-06 10:00:00'), (2, NULL, 0, 0.1, NULL), (3, 'riga\\nuova', 0, 0, NULL)");
    Recordset rs(*db);
    rs.open(QStringLiteral("SELECT ID, Codice, Attivo, Prezzo, DataInserimento FROM Prodotti ORDER BY ID"));
    rs.moveLast();  // printing starts from the first row whatever the position
    QString text;
    QTextStream out(&text);
    EXPECT_EQ(TabularText::write(rs, out), 3);
    out.flush();
    EXPECT_EQ(text, QStringLiteral("ID\tCodice\tAttivo\tPrezzo\tDataInserimento\n"
                                   "1\tA\\tB\tTrue\t2.5\t2026-12-06 10:00:00\n"
                                   "2\t\tFalse\t0.1\t\n"
                                   "3\triga\\\\nuova\tFalse\t0\t\n"));

    Recordset empty(*db, QStringLiteral("Categorie"));
    empty.open();
    QString none;
    QTextStream out2(&none);
    EXPECT_EQ(TabularText::write(empty, out2), 0);
    out2.flush();
    EXPECT_EQ(none, QStringLiteral("ID\tIDCategoriaPadre\tOrdine\tCodice\tAttivo\n"));
}

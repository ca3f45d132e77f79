#include "ImportTestProject.h"
#include "ScriptedUiPort.h"
#include "catalogue/ProductPictures.h"
#include "catalogue/import/ImportTextFile.h"
#include "catalogue/import/ProductImport.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using Outcome = ProductImport::Outcome;

ProductImport::Result runImport(const ImportTestProject &p, const QString &file,
                                ImportOptions::Obsolete obsolete = ImportOptions::Obsolete::Keep,
                                QVector<int> codes = defaultImportCodes(), const QString &language = QStringLiteral("it"))
{
    ImportOptions o;
    o.file = file;
    o.codes = codes;
    o.language = language;
    o.obsolete = obsolete;
    ProductImport import(p.path(), o);
    return import.run();
}

} // namespace

TEST(ProductImportTest, DefaultFieldsImportAndTheFinalSeparatorIsRequired)
{
    ImportTestProject p;
    ASSERT_TRUE(p.isValid());
    const QString good = p.writeFile(QStringLiteral("good.txt"),
                                     "12;ABC;Rose;Rose rosse a stelo lungo;9.50;20;\r\n");
    ProductImport::Result r = runImport(p, good);
    ASSERT_EQ(r.outcome, Outcome::Success) << r.detail.toStdString();
    EXPECT_EQ(r.added, 1);
    EXPECT_FALSE(p.tempLeft());
    EXPECT_EQ(p.value(QStringLiteral("SELECT Nome FROM ProdottiLingue WHERE CodiceLingua='it'")).toString(), QStringLiteral("Rose"));
    EXPECT_DOUBLE_EQ(p.value(QStringLiteral("SELECT Prezzo1 FROM ProdottiLingue")).toDouble(), 9.5);
    EXPECT_DOUBLE_EQ(p.value(QStringLiteral("SELECT IVA FROM Prodotti WHERE Codice='ABC'")).toDouble(), 20.0);
    // A new product is active, its order is its ID, and it is linked once.
    EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE Attivo=TRUE AND Novita=FALSE AND Ordine=ID AND Modificato=TRUE")), 1);
    EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM CategorieProdotti WHERE IDCategoria=12")), 1);

    const QByteArray before = p.databaseHash();
    const QString bad = p.writeFile(QStringLiteral("bad.txt"), "12;XYZ;Tulipani;Tulipani;4.00;20\n");
    ScopedScriptedUi ui;
    r = runImport(p, bad);
    EXPECT_EQ(r.outcome, Outcome::LineError);
    EXPECT_EQ(r.line, 1);
    ProductImport::tellResult(r);
    ASSERT_EQ(ui->messages().size(), 2u);
    EXPECT_EQ(ui->messages()[0].text, QStringLiteral("ERRORE durante l'operazione alla linea 1.\n"
                                                     "Campo 6 (\"Aliquota IVA\"): manca il separatore \";\" che chiude il campo."));
    EXPECT_EQ(ui->messages()[0].title, QStringLiteral("Import dati"));
    EXPECT_EQ(ui->messages()[1].text, ProductImport::FailureText);
    EXPECT_EQ(ui->messages()[1].icon, UiPort::Icon::Exclamation);
    EXPECT_EQ(p.databaseHash(), before);
    EXPECT_FALSE(p.tempLeft());
}

TEST(ProductImportTest, NumbersAreDigitsAndOnePointOnly)
{
    ImportTestProject p;
    const QByteArray first = "12;A1;Uno;Breve;1.00;20;\n";
    for (const QByteArray &second : {QByteArray("12;A2;Due;Breve;9,50;20;\n"),
                                     QByteArray("12;A2;Due;Breve;-9.50;20;\n"),
                                     QByteArray("12;A2;Due;Breve;9.5.0;20;\n"),
                                     QByteArray("12;A2;Due;Breve;.;20;\n"),
                                     QByteArray("12;A2;Due;Breve;12345678.90;20;\n"), // 11 characters
                                     QByteArray("x;A2;Due;Breve;1;20;\n"),
                                     QByteArray("12;ABCDEFGHIJKLMNOPQRSTU;Due;Breve;1;20;\n")}) { // code of 21
        const ProductImport::Result r = runImport(p, p.writeFile(QStringLiteral("n.txt"), first + second));
        EXPECT_EQ(r.outcome, Outcome::LineError) << second.constData();
        EXPECT_EQ(r.line, 2) << second.constData();
    }
    EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM Prodotti")), 0);

    // Spaces around values are trimmed; empty values keep their defaults.
    const ProductImport::Result r =
        runImport(p, p.writeFile(QStringLiteral("ok.txt"), "  12 ; A3 ;  Tre ; Breve ; ; 4 ;\n"));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(p.value(QStringLiteral("SELECT Codice FROM Prodotti")).toString(), QStringLiteral("A3"));
    EXPECT_DOUBLE_EQ(p.value(QStringLiteral("SELECT Prezzo1 FROM ProdottiLingue")).toDouble(), 0.0);
}

TEST(ProductImportTest, ExistingCodeUpdatesOnlyTheImportLanguageRow)
{
    ImportTestProject p;
    ASSERT_TRUE(runImport(p, p.writeFile(QStringLiteral("1.txt"), "12;ABC;Rose;Rose rosse;9.50;20;\n")).ok());
    ASSERT_TRUE(runImport(p, p.writeFile(QStringLiteral("2.txt"), "12;ABC;Roses;Red roses;11.00;20;\n"),
                          ImportOptions::Obsolete::Keep, defaultImportCodes(), QStringLiteral("en")).ok());
    // Then the Italian texts change and the product moves to category 13.
    const ProductImport::Result r = runImport(p, p.writeFile(QStringLiteral("3.txt"), "13;abc;Rose rosse;Nuova descrizione;10.00;22;\n"));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.updated, 1);
    EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM Prodotti")), 1);
    EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue")), 2);
    EXPECT_EQ(p.value(QStringLiteral("SELECT Nome FROM ProdottiLingue WHERE CodiceLingua='it'")).toString(), QStringLiteral("Rose rosse"));
    EXPECT_DOUBLE_EQ(p.value(QStringLiteral("SELECT Prezzo1 FROM ProdottiLingue WHERE CodiceLingua='it'")).toDouble(), 10.0);
    EXPECT_EQ(p.value(QStringLiteral("SELECT Nome FROM ProdottiLingue WHERE CodiceLingua='en'")).toString(), QStringLiteral("Roses"));
    EXPECT_DOUBLE_EQ(p.value(QStringLiteral("SELECT Prezzo1 FROM ProdottiLingue WHERE CodiceLingua='en'")).toDouble(), 11.0);
    EXPECT_DOUBLE_EQ(p.value(QStringLiteral("SELECT IVA FROM Prodotti")).toDouble(), 22.0);
    // The product keeps one link, now to the new category.
    EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM CategorieProdotti")), 1);
    EXPECT_EQ(p.count(QStringLiteral("SELECT IDCategoria FROM CategorieProdotti")), 13);
}

TEST(ProductImportTest, UnknownCategoryAndCancelLeaveTheDatabaseAsItWas)
{
    ImportTestProject p;
    ASSERT_TRUE(runImport(p, p.writeFile(QStringLiteral("1.txt"), "12;ABC;Rose;Rose rosse;9.50;20;\n")).ok());
    const QByteArray before = p.databaseHash();

    ProductImport::Result r = runImport(p, p.writeFile(QStringLiteral("2.txt"),
        "12;ABC;Rose;Cambiata;1.00;20;\n12;NEW;Nuovo;Nuovo;1.00;20;\n99;BAD;Errata;Errata;1.00;20;\n"));
    EXPECT_EQ(r.outcome, Outcome::CategoryError);
    EXPECT_EQ(r.line, 3);
    EXPECT_EQ(ProductImport::categoryErrorText(3), QStringLiteral("Categoria prodotto errata alla linea 3.\n"));
    EXPECT_EQ(p.databaseHash(), before);
    EXPECT_FALSE(p.tempLeft());

    // Cancelled while the fourth line is about to be read, with the
    // application's connection open all along.
    QByteArray many;
    for (int i = 0; i < 10; ++i)
        many += "12;C" + QByteArray::number(i) + ";Nome;Breve;1.00;20;\n";
    ImportOptions o;
    o.file = p.writeFile(QStringLiteral("many.txt"), many);
    o.language = QStringLiteral("it");
    ProductImport import(p.path(), o);
    Database live(p.folder().database());
    import.setLiveDatabase(&live);
    int pumps = 0;
    QStringList statuses;
    int range = 0;
    import.setProgress({[&](const QString &s) { statuses << s; }, [&](int max) { range = max; }, nullptr,
                        [&] { if (++pumps == 4) import.requestCancel(); }});
    r = import.run();
    EXPECT_EQ(r.outcome, Outcome::Cancelled);
    EXPECT_EQ(range, 10);
    EXPECT_EQ(statuses, (QStringList{QStringLiteral("Import linea 1 / 10 in corso..."),
                                     QStringLiteral("Import linea 2 / 10 in corso..."),
                                     QStringLiteral("Import linea 3 / 10 in corso...")}));
    ASSERT_TRUE(live.isOpen());
    EXPECT_EQ(live.scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti")).toInt(), 1);
    live.close();
    EXPECT_EQ(p.databaseHash(), before);
    EXPECT_FALSE(p.tempLeft());
}

TEST(ProductImportTest, LiveConnectionSeesTheImportedData)
{
    ImportTestProject p;
    Database live(p.folder().database());
    live.execute(QStringLiteral("UPDATE Configurazione SET URLSito='www.prova.it'"));
    ImportOptions o;
    o.file = p.writeFile(QStringLiteral("1.txt"), "12;ABC;Rose;Rose rosse;9.50;20;\n");
    o.language = QStringLiteral("it");
    ProductImport import(p.path(), o);
    import.setLiveDatabase(&live);
    ASSERT_TRUE(import.run().ok());
    ASSERT_TRUE(live.isOpen());
    EXPECT_EQ(live.scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti")).toInt(), 1);
    // A change made on the live connection just before is not lost.
    EXPECT_EQ(live.scalar(QStringLiteral("SELECT URLSito FROM Configurazione")).toString(), QStringLiteral("www.prova.it"));
}

TEST(ProductImportTest, ObsoleteProductsAreDeactivatedOrDeletedAndLogged)
{
    for (const auto mode : {ImportOptions::Obsolete::Deactivate, ImportOptions::Obsolete::Delete}) {
        ImportTestProject p;
        ASSERT_TRUE(runImport(p, p.writeFile(QStringLiteral("1.txt"),
            "12;KEEP;Resta;Resta;1.00;20;\n12;GONE;Via;Via;1.00;20;\n12;EDIT;Modificato;Modificato;1.00;20;\n")).ok());
        {
            Database db(p.folder().database());
            // As after a site update: nothing is marked modified. GONE has
            // a variant; EDIT was changed in the editor since.
            db.execute(QStringLiteral("UPDATE Prodotti SET Modificato=FALSE"));
            db.execute(QStringLiteral("INSERT INTO Prodotti (ID, Ordine, IDProdottoBase, Codice, Attivo, Modificato) "
                                      "SELECT 50, 50, ID, 'GONE-V', TRUE, FALSE FROM Prodotti WHERE Codice='GONE'"));
            db.execute(QStringLiteral("UPDATE Prodotti SET Modificato=TRUE WHERE Codice='EDIT'"));
        }
        const ProductImport::Result r = runImport(p, p.writeFile(QStringLiteral("2.txt"), "12;KEEP;Resta;Resta;1.00;20;\n"), mode);
        ASSERT_TRUE(r.ok()) << r.detail.toStdString();
        EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE Codice='EDIT' AND Attivo=TRUE")), 1);
        EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE Codice='KEEP' AND Attivo=TRUE")), 1);
        if (mode == ImportOptions::Obsolete::Deactivate) {
            EXPECT_EQ(r.obsolete, 2);
            EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE Attivo=FALSE AND Modificato=TRUE")), 2);
            EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati")), 0);
        } else {
            EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM Prodotti")), 2);
            EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue")), 2);
            // The product and its variant are both in the log.
            EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='Prodotti' AND Modificato=TRUE")), 2);
            EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE IDRecord=50")), 1);
        }
    }
}

TEST(ProductImportTest, AVariantInTheFileKeepsItsBaseProduct)
{
    for (const auto mode : {ImportOptions::Obsolete::Delete, ImportOptions::Obsolete::Deactivate}) {
        ImportTestProject p;
        ASSERT_TRUE(runImport(p, p.writeFile(QStringLiteral("1.txt"),
            "12;BASE;Sedia;Sedia;10.00;22;\n12;SOLO;Tavolo;Tavolo;50.00;22;\n")).ok());
        {
            // BASE has a variant, which has a variant of its own; after a
            // site update nothing is marked modified.
            Database db(p.folder().database());
            db.execute(QStringLiteral("INSERT INTO Prodotti (ID, Ordine, IDProdottoBase, Codice, Attivo) "
                                      "SELECT 60, 60, ID, 'BASE-R', TRUE FROM Prodotti WHERE Codice='BASE'"));
            db.execute(QStringLiteral("INSERT INTO Prodotti (ID, Ordine, IDProdottoBase, Codice, Attivo) "
                                      "VALUES (61, 61, 60, 'BASE-R-XL', TRUE)"));
            db.execute(QStringLiteral("INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Nome) "
                                      "VALUES (60, 61, 'it', 'Sedia rossa XL')"));
            db.execute(QStringLiteral("UPDATE Prodotti SET Modificato=FALSE"));
        }
        // The file now lists only the variant of the variant.
        const ProductImport::Result r = runImport(
            p, p.writeFile(QStringLiteral("2.txt"), "12;BASE-R-XL;Sedia rossa XL;Sedia rossa XL;12.50;22;\n"), mode);
        ASSERT_TRUE(r.ok()) << r.detail.toStdString();
        EXPECT_EQ(r.updated, 1);
        EXPECT_EQ(r.keptBases, 2);
        EXPECT_EQ(r.obsolete, 1);
        // The variant just imported is there with its new price, and so are
        // the two products above it, untouched and active.
        EXPECT_DOUBLE_EQ(p.value(QStringLiteral("SELECT Prezzo1 FROM ProdottiLingue WHERE IDProdotto=61")).toDouble(), 12.5);
        EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE Codice IN ('BASE', 'BASE-R') "
                                         "AND Attivo=TRUE AND Modificato=FALSE")), 2);
        EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='Prodotti' AND IDRecord<>2")), 0);
        // The product with no variant in the file is handled as before.
        if (mode == ImportOptions::Obsolete::Delete)
            EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE Codice='SOLO'")), 0);
        else
            EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE Codice='SOLO' AND Attivo=FALSE")), 1);
    }
}

TEST(ProductImportTest, AllFieldsInAnyOrderWithDates)
{
    ImportTestProject p;
    QVector<int> codes;
    for (const ImportFieldInfo &f : importFields())
        codes.prepend(f.code);  // reversed list order
    QStringList values;
    for (int code : codes) {
        switch (code) {
        case FieldCategoria: values << QStringLiteral("13"); break;
        case FieldCodice: values << QStringLiteral("FULL"); break;
        case FieldNome: values << QStringLiteral("Completo"); break;
        case FieldAttivo: values << QStringLiteral("0"); break;
        case FieldNovita: values << QStringLiteral("1"); break;
        case FieldOfferta: values << QStringLiteral("2"); break;
        case FieldValiditaDal: values << QStringLiteral("01/03/2024"); break;
        case FieldValiditaAl: values << QStringLiteral("31/03/2024"); break;
        case FieldCodiceABarre: values << QStringLiteral("8001234567890"); break;
        case FieldUnitaMisura: values << QStringLiteral("pz"); break;
        case FieldPrezzo4: values << QStringLiteral("4.25"); break;
        case FieldPrezzoPromozionale: values << QStringLiteral("3.99"); break;
        case FieldPeso: values << QStringLiteral("1.250"); break;
        default: values << (isDescriptionImportField(code) ? QStringLiteral("Testo") : QStringLiteral("5")); break;
        }
    }
    const QByteArray line = (values.join(QLatin1Char('|')) + QLatin1Char('|')).toUtf8();
    ImportOptions o;
    o.file = p.writeFile(QStringLiteral("all.txt"), line + "\n");
    o.separator = QLatin1Char('|');
    o.codes = codes;
    o.language = QStringLiteral("it");
    ASSERT_TRUE(ProductImport(p.path(), o).run().ok());
    EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE Attivo=FALSE AND Novita=TRUE AND Offerta=TRUE "
                                     "AND CodiceABarre='8001234567890' AND ValiditaDal=#03/01/2024# AND ValiditaAl=#03/31/2024#")), 1);
    EXPECT_DOUBLE_EQ(p.value(QStringLiteral("SELECT Prezzo4 FROM ProdottiLingue")).toDouble(), 4.25);
    EXPECT_DOUBLE_EQ(p.value(QStringLiteral("SELECT PrezzoPromozionale FROM ProdottiLingue")).toDouble(), 3.99);
    EXPECT_DOUBLE_EQ(p.value(QStringLiteral("SELECT Peso FROM Prodotti")).toDouble(), 1.25);
    EXPECT_EQ(p.value(QStringLiteral("SELECT UnitaMisura FROM ProdottiLingue")).toString(), QStringLiteral("pz"));

    // A date that is not a calendar day, or not dd/mm/yyyy, is refused.
    for (const char *bad : {"31/02/2024", "1/3/2024", "2024-03-01", "01/03/24"}) {
        ImportedProduct out;
        EXPECT_FALSE(parseImportLine(QStringLiteral("%1;").arg(QLatin1String(bad)), QLatin1Char(';'), {FieldValiditaDal}, out)) << bad;
    }
}

TEST(ProductImportTest, FilesInWindows1252AndUtf8AreBothRead)
{
    ImportTestProject p;
    // "Caffè perché €" in Windows-1252 and in UTF-8 (with and without BOM).
    const QByteArray cp1252 = "12;W1;Caff\xE8 perch\xE9 \x80;Descrizione \x93tra virgolette\x94;1.00;20;\r\n";
    const QByteArray utf8 = QStringLiteral("12;U1;Caffè perché €;Descrizione “tra virgolette”;1.00;20;\n").toUtf8();
    ImportTextFile probe;
    probe.setContent(cp1252);
    EXPECT_EQ(probe.encoding(), ImportTextFile::Encoding::Windows1252);
    probe.setContent(utf8);
    EXPECT_EQ(probe.encoding(), ImportTextFile::Encoding::Utf8);

    ASSERT_TRUE(runImport(p, p.writeFile(QStringLiteral("w.txt"), cp1252)).ok());
    ASSERT_TRUE(runImport(p, p.writeFile(QStringLiteral("u.txt"), "\xEF\xBB\xBF" + utf8)).ok());
    const QString expectedName = QStringLiteral("Caffè perché €");
    const QString expectedText = QStringLiteral("Descrizione “tra virgolette”");
    for (const char *code : {"W1", "U1"}) {
        const QString where = QStringLiteral(" FROM ProdottiLingue l JOIN Prodotti p ON p.ID=l.IDProdotto WHERE p.Codice='%1'").arg(QLatin1String(code));
        EXPECT_EQ(p.value(QStringLiteral("SELECT l.Nome") + where).toString(), expectedName) << code;
        EXPECT_EQ(p.value(QStringLiteral("SELECT l.DescrizioneBreve") + where).toString(), expectedText) << code;
    }
    // Line endings of every kind; the last line needs none.
    probe.setContent("a;\r\nb;\rc;\nd;");
    EXPECT_EQ(probe.lines(), (QStringList{"a;", "b;", "c;", "d;"}));
}

TEST(ProductImportTest, PreviewShowsTheFirstFiveLines)
{
    ImportTestProject p;
    QByteArray text;
    for (int i = 1; i <= 7; ++i)
        text += "12;P" + QByteArray::number(i) + ";Nome;Breve;2.5;20;\n";
    const QString file = p.writeFile(QStringLiteral("p.txt"), text);
    ImportPreview preview = ImportPreview::build(file, QLatin1Char(';'), defaultImportCodes());
    EXPECT_EQ(preview.header, QStringLiteral("Cat.\tCodice\tNome\tDescrizione breve\tPrezzo 1\tIVA\t"));
    ASSERT_EQ(preview.rows.size(), 5);
    EXPECT_EQ(preview.rows[4], (QStringList{"12", "P5", "Nome", "Breve", "2.50", "20"}));
    EXPECT_FALSE(preview.formatError);
    // With another separator nothing parses.
    preview = ImportPreview::build(file, QLatin1Char(','), defaultImportCodes());
    EXPECT_TRUE(preview.formatError);
    EXPECT_TRUE(preview.rows.isEmpty());
}

TEST(ProductImportTest, FieldListRules)
{
    ImportFieldList list;
    EXPECT_EQ(list.codes(), defaultImportCodes());
    EXPECT_EQ(list.codes(), (QVector<int>{0, 1, 2, 4, 9, 13}));
    // Mandatory fields stay ticked.
    for (int row = 0; row < list.count(); ++row) {
        if (isMandatoryImportField(list.codeAt(row))) {
            EXPECT_EQ(list.setChecked(row, false), ImportFieldList::Toggle::RefusedMandatory);
            EXPECT_TRUE(list.isChecked(row));
        }
    }
    EXPECT_EQ(ImportFieldList::mandatoryText(QStringLiteral("Prezzo 1")),
              QStringLiteral("Il campo Prezzo 1 deve essere necessariamente importato!"));
    // The last description cannot go; another ticked one lets it go.
    const int breve = 3, fattura = 7;
    ASSERT_EQ(list.codeAt(breve), FieldDescrizioneBreve);
    ASSERT_EQ(list.codeAt(fattura), FieldDescrizioneFattura);
    EXPECT_EQ(list.setChecked(breve, false), ImportFieldList::Toggle::RefusedLastDescription);
    EXPECT_EQ(list.setChecked(fattura, true), ImportFieldList::Toggle::Done);
    EXPECT_EQ(list.setChecked(breve, false), ImportFieldList::Toggle::Done);
    EXPECT_EQ(list.setChecked(fattura, false), ImportFieldList::Toggle::RefusedLastDescription);
    EXPECT_EQ(list.codes(), (QVector<int>{0, 1, 2, 9, 13, 3}));
    // Moving changes the column order.
    EXPECT_FALSE(list.canMoveUp(0));
    EXPECT_FALSE(list.canMoveDown(list.count() - 1));
    EXPECT_EQ(list.moveUp(fattura), fattura - 1);
    EXPECT_EQ(list.moveUp(fattura - 1), fattura - 2);
    EXPECT_EQ(list.codes(), (QVector<int>{0, 1, 2, 9, 3, 13}));
    for (int i = 0; i < 4; ++i)
        list.moveUp(fattura - 2 - i);
    EXPECT_EQ(list.codes(), (QVector<int>{0, 3, 1, 2, 9, 13}));
    ScopedScriptedUi ui;
    ImportFieldList::tellRefusal(ImportFieldList::Toggle::RefusedLastDescription, QString());
    EXPECT_EQ(ui->lastMessage().text, QStringLiteral("E' necessario importare almeno una descrizione!"));
    EXPECT_EQ(ui->lastMessage().title, QStringLiteral("Selezione campi"));
}

TEST(ProductImportTest, CodesRepeatedInTheFileOrDatabaseFindTheFirstProduct)
{
    ImportTestProject p;
    {
        Database db(p.folder().database());
        db.execute(QStringLiteral("INSERT INTO Prodotti (ID, Ordine, Codice) VALUES (7, 7, 'DUP')"));
        db.execute(QStringLiteral("INSERT INTO Prodotti (ID, Ordine, Codice) VALUES (3, 3, 'dup')"));
    }
    const ProductImport::Result r = runImport(p, p.writeFile(QStringLiteral("d.txt"),
        "12;X1;Primo;Primo;1.00;20;\n12;x1;Secondo;Secondo;2.00;20;\n12;Dup;Doppio;Doppio;3.00;20;\n"));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.updated, 2);
    EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM Prodotti")), 3);
    EXPECT_EQ(p.value(QStringLiteral("SELECT Nome FROM ProdottiLingue WHERE IDProdotto=8")).toString(), QStringLiteral("Secondo"));
    // The lower ID comes first in the table, as the search finds it.
    EXPECT_EQ(p.value(QStringLiteral("SELECT IDProdotto FROM ProdottiLingue WHERE Nome='Doppio'")).toInt(), 3);
}

TEST(ProductImportTest, ObsoleteProductsDeletedLoseTheirFilesOnlyWhenTheImportIsKept)
{
    ImportTestProject p;
    ASSERT_TRUE(runImport(p, p.writeFile(QStringLiteral("1.txt"), "12;KEEP;Resta;Resta;1.00;20;\n12;GONE;Via;Via;1.00;20;\n")).ok());
    int gone = 0;
    {
        // GONE and its variant are both absent from the file and unchanged
        // since the last publication.
        Database db(p.folder().database());
        db.execute(QStringLiteral("UPDATE Prodotti SET Modificato=FALSE"));
        gone = db.scalar(QStringLiteral("SELECT ID FROM Prodotti WHERE Codice='GONE'")).toInt();
        db.execute(QStringLiteral("INSERT INTO Prodotti (ID, Ordine, IDProdottoBase, Codice, Attivo, Modificato) "
                                  "VALUES (50, 50, %1, 'GONE-V', TRUE, FALSE)").arg(gone));
        db.execute(QStringLiteral("INSERT INTO ProdottiColori (ID, IDProdotto, Codice) VALUES (4, 50, 'BLU')"));
    }
    const ProductPictures pictures(p.path());
    const QStringList files{pictures.productImage(gone), pictures.productThumbnail(gone),
                            pictures.productImage(50), pictures.colourPhoto(4), pictures.colourThumbnail(4)};
    for (const QString &file : files) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << file.toStdString();
    }
    const QString list = p.writeFile(QStringLiteral("2.txt"), "12;KEEP;Resta;Resta;1.00;20;\n");

    // An import that fails keeps every file.
    const QString unknownCategory = p.writeFile(QStringLiteral("3.txt"), "12;KEEP;Resta;Resta;1.00;20;\n99;X;X;X;1.00;20;\n");
    EXPECT_FALSE(runImport(p, unknownCategory, ImportOptions::Obsolete::Delete).ok());
    for (const QString &file : files)
        EXPECT_TRUE(QFile::exists(file)) << file.toStdString();

    const ProductImport::Result r = runImport(p, list, ImportOptions::Obsolete::Delete);
    ASSERT_TRUE(r.ok()) << r.detail.toStdString();
    EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM Prodotti")), 1);
    for (const QString &file : files)
        EXPECT_FALSE(QFile::exists(file)) << file.toStdString();
    EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='Prodotti' AND IDRecord=50")), 1);
    EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='ProdottiColori' AND IDRecord=4")), 1);
}

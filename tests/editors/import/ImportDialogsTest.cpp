#include "ImportTestProject.h"
#include "ScriptedUiPort.h"
#include "controls/CEditableGrid.h"
#include "controls/CValidatedEdit.h"
#include "data/Database.h"
#include "editors/catalogue/import/CIdCategorieDlg.h"
#include "editors/catalogue/import/CImportaProdottiDlg.h"
#include "catalogue/import/ProductImport.h"
#include "editors/catalogue/pricelist/CAggiornamentoListiniDlg.h"
#include "catalogue/pricelist/PriceListUpdate.h"
#include "editors/common/EditorHost.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

struct Languages : LanguageContext {
    QString currentLanguageCode() const override { return QStringLiteral("it"); }
    QString defaultLanguageCode() const override { return QStringLiteral("it"); }
    void selectDefaultLanguage() override {}
};

} // namespace

TEST(ImportDialogTest, FieldListPreviewAndRun)
{
    ImportTestProject p;
    Database db(p.folder().database());
    ScopedScriptedUi ui;
    CImportaProdottiDlg dlg(db, p.path(), QStringLiteral("it"));
    QListWidget *list = dlg.fieldList();
    ASSERT_EQ(list->count(), 22);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("ID Categoria"));
    // Unticking "Nome" is refused with the message and the tick comes back.
    list->item(2)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(list->item(2)->checkState(), Qt::Checked);
    EXPECT_EQ(ui->lastMessage().text, QStringLiteral("Il campo Nome deve essere necessariamente importato!"));
    EXPECT_EQ(ui->lastMessage().icon, UiPort::Icon::Stop);

    const QString file = p.writeFile(QStringLiteral("f.txt"), "12;ABC;Rose;Rose rosse;9.50;20;\n12;DEF;Tulipani;Gialli;4;10;\n");
    dlg.setFileName(file);
    EXPECT_EQ(dlg.previewGrid()->rowCount(), 3);
    EXPECT_EQ(dlg.previewGrid()->cellText(2, 2), QStringLiteral("Tulipani"));
    // Ticking "Codice a barre" adds a column the file does not have.
    ui->clearCalls();
    list->item(6)->setCheckState(Qt::Checked);
    EXPECT_EQ(ui->lastMessage().text, ImportPreview::FormatErrorText + "\n\nLinea 1. Campo 7 (\"Codice a barre\"): "
                                                                       "manca il separatore \";\" che chiude il campo.");
    list->item(6)->setCheckState(Qt::Unchecked);

    dlg.setObsolete(1);
    ui->clearCalls();
    dlg.start();
    EXPECT_EQ(ui->messageTexts(), QStringList{ProductImport::SuccessText});
    EXPECT_TRUE(db.isOpen());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti")).toInt(), 2);
}

TEST(ImportDialogTest, ACsvFileWithTrailingEmptyLinesImportsAndAFormatErrorNamesLineAndField)
{
    ImportTestProject p;
    Database db(p.folder().database());
    ScopedScriptedUi ui;
    const QString good = p.writeFile(QStringLiteral("listino.csv"),
                                     "12;ABC;Rose;Rose rosse;9.50;20;\r\n12;DEF;Tulipani;Gialli;4;10;\r\n\r\n  \r\n");
    const QString bad = p.writeFile(QStringLiteral("errato.csv"),
                                    "12;GHI;Gigli;Gigli;3;10;\n12;JKL;Viole;Viole;9,50;10;\n");
    auto runWith = [&](const QString &file) {
        CImportaProdottiDlg dlg(db, p.path(), QStringLiteral("it"));
        dlg.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        QPushButton *browse = nullptr;
        QPushButton *start = nullptr;
        for (QPushButton *b : dlg.findChildren<QPushButton *>()) {
            if (b->text() == "Sfoglia")
                browse = b;
            if (b->text() == "Avvio")
                start = b;
        }
        ASSERT_TRUE(browse && start);
        ui->queuePath(file);
        QTest::mouseClick(browse, Qt::LeftButton);
        ASSERT_EQ(ui->calls().at(0).kind, ScriptedUiPort::Kind::OpenFile);
        EXPECT_EQ(ui->calls().at(0).filter, "Files testo (*.txt *.csv);;Tutti i files (*.*)");
        QTest::mouseClick(start, Qt::LeftButton);
    };

    runWith(good);
    EXPECT_EQ(ui->messageTexts(), QStringList{ProductImport::SuccessText});
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti")).toInt(), 2);

    ui->clearCalls();
    runWith(bad);
    // The preview, then the run, name the line and the field.
    const QString field = "Campo 5 (\"Prezzo 1\"): \"9,50\" non è un numero valido (solo cifre e un punto decimale).";
    EXPECT_EQ(ui->messageTexts(), (QStringList{ImportPreview::FormatErrorText + "\n\nLinea 2. " + field,
                                               "ERRORE durante l'operazione alla linea 2.\n" + field,
                                               ProductImport::FailureText}));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti")).toInt(), 2);
}

TEST(ImportDialogTest, CategoryIdentifiersAreShownByParentAndId)
{
    ImportTestProject p;
    Database db(p.folder().database());
    CIdCategorieDlg dlg(db, QStringLiteral("it"));
    ASSERT_EQ(dlg.tree()->topLevelItemCount(), 1);
    EXPECT_EQ(dlg.tree()->topLevelItem(0)->text(0), QStringLiteral("[12] - Fiori"));
    ASSERT_EQ(dlg.tree()->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(dlg.tree()->topLevelItem(0)->child(0)->text(0), QStringLiteral("[13] - Rose"));
}

TEST(PriceListDialogTest, MandatoryFieldsThenUpdate)
{
    ImportTestProject p;
    Database db(p.folder().database());
    db.execute(QStringLiteral("INSERT INTO Prodotti (ID, Ordine, Codice) VALUES (1, 1, 'A')"));
    db.execute(QStringLiteral("INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Prezzo1, Prezzo2) VALUES (1, 1, 'it', 20, 20)"));
    db.execute(QStringLiteral("INSERT INTO CategorieProdotti (ID, IDCategoria, IDProdotto) VALUES (1, 13, 1)"));
    Languages languages;
    ScopedScriptedUi ui;
    CAggiornamentoListiniDlg dlg(db, languages, p.path() + QLatin1Char('/'));
    EXPECT_EQ(dlg.categoryText()->text(), QStringLiteral("Tutte le categorie"));
    EXPECT_EQ(dlg.listCombo()->currentIndex(), -1);

    dlg.start();
    EXPECT_EQ(ui->lastMessage().text, QStringLiteral("Campo obbligatorio!"));
    EXPECT_EQ(ui->lastMessage().title, QStringLiteral("Validazione campi"));
    dlg.percentageEdit()->SetValue(QStringLiteral("-10"));
    ui->clearCalls();
    dlg.start();
    EXPECT_EQ(ui->messageTexts(), QStringList{QStringLiteral("Campo obbligatorio!")});

    // The chooser lists "Tutte le categorie" above the tree.
    QTreeWidget *chooser = dlg.openCategoryChooser();
    ASSERT_EQ(chooser->topLevelItemCount(), 1);
    QTreeWidgetItem *all = chooser->topLevelItem(0);
    EXPECT_EQ(all->text(0), QStringLiteral("Tutte le categorie"));
    ASSERT_EQ(all->childCount(), 1);
    EXPECT_EQ(all->child(0)->child(0)->data(0, Qt::UserRole).toInt(), 13);
    chooser->close();
    dlg.chooseCategory(13, QStringLiteral("Rose"));
    dlg.listCombo()->setCurrentIndex(1);
    ui->clearCalls();
    dlg.start();
    EXPECT_EQ(ui->messageTexts(), QStringList{"Aggiornamento completato.\nPrezzi modificati: 1 (prodotti aggiornati: 1)."});
    EXPECT_NEAR(db.scalar(QStringLiteral("SELECT Prezzo1 FROM ProdottiLingue")).toDouble(), 18.0, 1e-9);
    EXPECT_DOUBLE_EQ(db.scalar(QStringLiteral("SELECT Prezzo2 FROM ProdottiLingue")).toDouble(), 20.0);
}

TEST(PriceListDialogTest, ACategoryWithNoProductsOfItsOwnChangesNothingAndSaysSo)
{
    // Category 12 holds only category 13, whose product is 1.
    ImportTestProject p;
    Database db(p.folder().database());
    db.execute(QStringLiteral("INSERT INTO Prodotti (ID, Ordine, Codice) VALUES (1, 1, 'A')"));
    db.execute(QStringLiteral("INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Prezzo1, Prezzo2, Prezzo3, "
                              "Prezzo4) VALUES (1, 1, 'it', 20, 30, 40, 50)"));
    db.execute(QStringLiteral("INSERT INTO CategorieProdotti (ID, IDCategoria, IDProdotto) VALUES (1, 13, 1)"));
    db.execute(QStringLiteral("UPDATE ProdottiLingue SET Modificato=FALSE"));
    Languages languages;
    ScopedScriptedUi ui;
    CAggiornamentoListiniDlg dlg(db, languages, p.path() + QLatin1Char('/'));
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    auto choose = [&](int id) {
        QTreeWidget *chooser = dlg.openCategoryChooser();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(chooser));
        QTreeWidgetItemIterator it(chooser);
        while (*it && (*it)->data(0, Qt::UserRole).toInt() != id)
            ++it;
        ASSERT_TRUE(*it);
        chooser->scrollToItem(*it);
        QTest::mouseClick(chooser->viewport(), Qt::LeftButton, {}, chooser->visualItemRect(*it).center());
        EXPECT_EQ(dlg.categoryId(), id);
    };
    dlg.percentageEdit()->SetValue(QStringLiteral("10"));
    dlg.listCombo()->setCurrentIndex(0);

    choose(12);
    QTest::mouseClick(dlg.startButton(), Qt::LeftButton);
    ASSERT_EQ(ui->messages().size(), 1u);
    EXPECT_EQ(ui->lastMessage().title, "Aggiornamento listini");
    EXPECT_EQ(ui->lastMessage().text,
              "La categoria scelta non ha prodotti collegati direttamente: nessun prezzo è stato modificato.");
    EXPECT_EQ(ui->lastMessage().icon, UiPort::Icon::Exclamation);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(dlg.startButton()->isEnabled());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE Modificato=TRUE")).toInt(), 0);

    choose(13);
    ui->clearCalls();
    QTest::mouseClick(dlg.startButton(), Qt::LeftButton);
    EXPECT_EQ(ui->messageTexts(), QStringList{"Aggiornamento completato.\nPrezzi modificati: 4 (prodotti aggiornati: 1)."});
    EXPECT_NEAR(db.scalar(QStringLiteral("SELECT Prezzo4 FROM ProdottiLingue")).toDouble(), 55.0, 1e-9);
}

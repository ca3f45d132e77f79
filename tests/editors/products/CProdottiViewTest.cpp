#include "editors/catalogue/CProdottiView.h"
#include "editors/catalogue/ProductColoursPage.h"
#include "editors/catalogue/ProductFilesPage.h"
#include "editors/catalogue/ProductPicturePage.h"
#include "editors/catalogue/ProductSizesPage.h"

#include "../EditorTestProject.h"
#include "common/ScriptedUiPort.h"
#include "common/Screenshots.h"

#include "controls/CCheckTreeCtrl.h"
#include "controls/CEditableGrid.h"
#include "controls/CValidatedEdit.h"
#include "catalogue/ProductColours.h"
#include "catalogue/ProductPictures.h"
#include "editors/catalogue/CTabelleTaglieDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace RecordCommand;

namespace {

struct ProductViewFixture : ::testing::Test {
    ScopedScriptedUi ui;
    EditorTestProject project;
    std::unique_ptr<CProdottiView> view;

    void SetUp() override
    {
        project.db().execute("UPDATE Configurazione SET LarghezzaDettaglioProdotti=400, "
                             "LarghezzaIndiceProdotti=120");
        for (int id : {1, 2})
            project.db().execute(QStringLiteral("INSERT INTO Categorie (ID, Ordine, IDCategoriaPadre, "
                                                "Codice) VALUES (%1, %1, 0, '')")
                                     .arg(id));
        project.db().execute("INSERT INTO CategorieLingue (ID, IDCategoria, CodiceLingua, Nome) "
                             "VALUES (1, 1, 'it', 'Sedie')");
        project.db().execute("INSERT INTO CategorieLingue (ID, IDCategoria, CodiceLingua, Nome) "
                             "VALUES (2, 2, 'it', 'Tavoli')");
        view = std::make_unique<CProdottiView>(project);
        view->resize(800, 520);
    }
    void fill(const QString &code, const QString &name)
    {
        view->codeEdit()->SetValue(code);
        view->nameEdit()->SetValue(name);
        view->shortEdit()->SetValue(name + " da giardino");
        view->vatEdit()->SetValue(22.0);
        view->priceEdit(0)->SetValue(35.5);
    }
    void insert(const QString &code, const QString &name)
    {
        view->runRecordCommand(Insert);
        fill(code, name);
        view->runRecordCommand(SaveNew);
    }
};

} // namespace

TEST_F(ProductViewFixture, EmptyArchiveOpensOnlyTheGeneralPage)
{
    EXPECT_EQ(view->navigation().recordCount(), 0);
    view->pages()->setCurrentIndex(ProductRecords::Prices);
    EXPECT_EQ(view->pages()->currentIndex(), ProductRecords::General);
    ASSERT_EQ(ui->messages().size(), 1u);
    EXPECT_EQ(ui->lastMessage().title, "Inserimento prodotto");
    EXPECT_TRUE(ui->lastMessage().text.startsWith("ATTENZIONE: l'archivio è vuoto."));

    view->runRecordCommand(Insert);
    view->pages()->setCurrentIndex(ProductRecords::Prices);
    EXPECT_EQ(view->pages()->currentIndex(), ProductRecords::Prices);
}

TEST_F(ProductViewFixture, InsertValidatesInOrderAndStoresTheRecord)
{
    view->runRecordCommand(Insert);
    view->codeEdit()->SetValue("sed1");
    view->nameEdit()->SetValue("Sedia");
    view->shortEdit()->SetValue("Sedia da giardino");
    view->runRecordCommand(SaveNew);
    // IVA is missing: the prices page comes to the front.
    EXPECT_EQ(ui->lastMessage().title, "Validazione campi");
    EXPECT_EQ(ui->lastMessage().text, "Campo obbligatorio!");
    EXPECT_EQ(view->pages()->currentIndex(), ProductRecords::Prices);
    EXPECT_TRUE(view->navigation().isInserting());

    view->vatEdit()->SetValue(22.0);
    view->priceEdit(0)->SetValue(35.5);
    // A category ticked while inserting is linked to the reserved ID at once.
    view->categoryToggled(2);
    const int reserved = view->navigation().reservedId();
    EXPECT_EQ(project.count(QStringLiteral("SELECT COUNT(*) FROM CategorieProdotti WHERE IDProdotto=%1").arg(reserved)), 1);
    view->runRecordCommand(SaveNew);
    EXPECT_FALSE(view->navigation().isInserting());
    EXPECT_EQ(view->navigation().recordCount(), 1);
    EXPECT_EQ(view->displayed().id, reserved);
    EXPECT_EQ(view->codeEdit()->text(), "SED1");
    EXPECT_EQ(view->positionLabel()->text(), "1 / 1");
    EXPECT_TRUE(view->categoryTree()->isChecked(view->categoryTree()->findItem(2)));
    EXPECT_FALSE(view->hasUnsavedChanges());
}

TEST_F(ProductViewFixture, EditsAreSavedWhenMovingAndRefusedWhenInvalid)
{
    insert("A1", "Sedia");
    insert("B2", "Tavolo");
    view->runRecordCommand(First);
    EXPECT_EQ(view->nameEdit()->text(), "Sedia");
    view->nameEdit()->SetValue("Sedia rossa");
    EXPECT_TRUE(view->hasUnsavedChanges());
    view->runRecordCommand(Next);
    EXPECT_EQ(view->nameEdit()->text(), "Tavolo");
    EXPECT_EQ(project.db().scalar("SELECT Nome FROM ProdottiLingue WHERE IDProdotto=1").toString(),
              "Sedia rossa");

    // An emptied name keeps the user on the record.
    view->nameEdit()->Blank();
    view->runRecordCommand(Previous);
    EXPECT_EQ(ui->lastMessage().text, "Campo obbligatorio!");
    EXPECT_EQ(view->positionLabel()->text(), "2 / 2");
    view->runRecordCommand(CancelChanges);
    EXPECT_EQ(view->nameEdit()->text(), "Tavolo");
}

TEST_F(ProductViewFixture, FilterOnBoxCategoryAndCode)
{
    insert("A1", "Sedia");
    insert("B2", "Tavolo");
    view->runRecordCommand(First);
    view->categoryToggled(1);
    view->runRecordCommand(Filter);
    EXPECT_EQ(view->activeBox()->checkState(), Qt::PartiallyChecked);
    view->categoryToggled(1);
    EXPECT_EQ(view->filterCategory(), 1);
    // The filter entry keeps the other pages closed from the picture on.
    view->pages()->setCurrentIndex(ProductRecords::Picture);
    EXPECT_EQ(ui->lastMessage().title, "Impostazione filtri");
    view->runRecordCommand(First);
    EXPECT_EQ(view->navigation().filterState(), NavigationEditor::FilterApplied);
    EXPECT_EQ(view->navigation().recordCount(), 1);
    EXPECT_EQ(view->codeEdit()->text(), "A1");

    view->runRecordCommand(Filter);
    EXPECT_EQ(view->navigation().recordCount(), 2);
    view->runRecordCommand(Filter);
    view->codeEdit()->SetValue("Z");
    view->runRecordCommand(First);
    EXPECT_EQ(ui->lastMessage().text,
              "Il filtro impostato non seleziona alcun record e viene pertanto annullato.");
    EXPECT_EQ(view->navigation().filterState(), NavigationEditor::NoFilter);
}

TEST_F(ProductViewFixture, ImageChosenIsStoredAtConfiguredWidthOnSave)
{
    insert("A1", "Sedia");
    QImage source(800, 600, QImage::Format_RGB32);
    source.fill(QColor(40, 110, 160));
    const QString file = project.file("sedia.bmp");
    ASSERT_TRUE(source.save(file));
    view->pages()->setCurrentIndex(ProductRecords::Picture);
    ui->queuePath(file);
    ASSERT_TRUE(view->picturePage()->chooseImage());
    view->picturePage()->flipImage(true);
    EXPECT_TRUE(view->hasUnsavedChanges());
    view->pages()->setCurrentIndex(ProductRecords::General);
    EXPECT_FALSE(view->picturePage()->imageChanged());
    EXPECT_EQ(QImage(project.file("website/images/prodotti/1.jpg")).size(), QSize(400, 300));
    EXPECT_EQ(QImage(project.file("website/images/prodotti/th/1.jpg")).size(), QSize(120, 90));
    EXPECT_EQ(project.count("SELECT VersioneImmagine FROM Prodotti WHERE ID=1"), 1);
    EXPECT_EQ(project.count("SELECT Immagine FROM Prodotti WHERE ID=1"), 1);
}

TEST_F(ProductViewFixture, ScreenshotOfTheEditor)
{
    insert("SED01", "Sedia pieghevole");
    QImage source(640, 480, QImage::Format_RGB32);
    source.fill(QColor(200, 160, 90));
    const QString file = project.file("sedia.jpg");
    ASSERT_TRUE(source.save(file));
    ui->queuePath(file);
    view->picturePage()->chooseImage();
    view->categoryToggled(1);
    ASSERT_TRUE(saveScreenshot(*view, QStringLiteral("prodotti.png")));
    const QString path = screenshotPath(QStringLiteral("prodotti.png"));
    EXPECT_EQ(QImage(path).size(), view->size());
    // One picture of each page as well.
    for (int i = 1; i < view->pages()->count(); ++i) {
        view->pages()->setCurrentIndex(i);
        ASSERT_EQ(view->pages()->currentIndex(), i);
        ASSERT_TRUE(saveScreenshot(*view, QStringLiteral("prodotti-%1.png").arg(view->pages()->tabText(i).toLower())));
    }
}

TEST_F(ProductViewFixture, CustomValuesAreEditedInTheGridAndSaved)
{
    project.db().execute("INSERT INTO DefCampiCustom (ID, IDCategoria, Nome) VALUES (1, 0, 'Materiale')");
    project.db().execute("INSERT INTO DefCampiCustom (ID, IDCategoria, Nome) VALUES (2, 1, 'Colore')");
    insert("A1", "Sedia");
    view->categoryToggled(1);
    const int custom = ProductRecords::Custom;
    ASSERT_EQ(view->pages()->tabText(custom), "Custom");
    view->pages()->setCurrentIndex(custom);
    ASSERT_TRUE(view->customLoaded());
    ASSERT_EQ(view->customGrid()->rowCount(), 3);
    EXPECT_EQ(view->customGrid()->cellText(2, 0), "Colore");
    view->customGrid()->setCellText(1, 1, "faggio");
    view->pages()->setCurrentIndex(0);
    EXPECT_EQ(project.db().scalar("SELECT ValoriCustom FROM ProdottiLingue WHERE IDProdotto=1").toString(),
              "Materiale|faggio|Colore||");
    EXPECT_TRUE(project.db().scalar("SELECT Keywords FROM ParoleChiave WHERE IDRecord=1").toString().contains("faggio"));

    // While inserting the custom page stays closed.
    view->runRecordCommand(Insert);
    view->pages()->setCurrentIndex(custom);
    EXPECT_EQ(view->pages()->currentIndex(), 0);
    EXPECT_TRUE(ui->lastMessage().text.startsWith("ATTENZIONE: durante l'inserimento"));
}

TEST_F(ProductViewFixture, FilesPageAddsChoosesAndDeletesCodes)
{
    insert("A1", "Sedia");
    const int files = ProductRecords::Files;
    ASSERT_EQ(view->pages()->tabText(files), "Files");
    view->pages()->setCurrentIndex(files);
    EXPECT_EQ(view->filesPage()->fileList()->count(), 0);
    view->filesPage()->fileCodeEdit()->SetValue("");
    EXPECT_FALSE(view->filesPage()->addFileCode());
    EXPECT_EQ(ui->lastMessage().text, "Campo obbligatorio!");
    view->filesPage()->fileCodeEdit()->SetValue("Manuale");
    ASSERT_TRUE(view->filesPage()->addFileCode());
    view->filesPage()->fileCodeEdit()->SetValue("manuale");
    EXPECT_FALSE(view->filesPage()->addFileCode());
    EXPECT_EQ(ui->lastMessage().text, "Codice già presente!");

    const QString source = project.file("istruzioni.PDF");
    QFile f(source);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
    f.close();
    view->filesPage()->fileList()->setCurrentRow(0);
    ui->queuePath(source);
    ASSERT_TRUE(view->filesPage()->chooseFileForCode());
    EXPECT_TRUE(QFile::exists(project.file("website/images/prodotti/files/M1_manuale.pdf")));

    ui->queueAnswer(UiPort::Answer::Yes);
    ASSERT_TRUE(view->filesPage()->deleteFileCode());
    EXPECT_EQ(view->filesPage()->fileList()->count(), 0);
    EXPECT_TRUE(QFile::exists(project.file("website/images/prodotti/files/d1_manuale")));
    // Shown again, the marker is not listed.
    view->runRecordCommand(CancelChanges);
    EXPECT_EQ(view->filesPage()->fileList()->count(), 0);
}

TEST_F(ProductViewFixture, SizesPageStoresOnlyTheSizeChoice)
{
    project.db().execute("INSERT INTO ValoriTaglie (ID, Nome, Taglie) VALUES (4, 'Internazionali', 'S\nM\nL\nXL')");
    insert("A1", "Sedia");
    const int sizes = ProductRecords::Sizes;
    ASSERT_EQ(view->pages()->tabText(sizes), "Taglie");
    view->pages()->setCurrentIndex(sizes);
    EXPECT_FALSE(view->sizesPage()->sizesBox()->isChecked());
    EXPECT_FALSE(view->sizesPage()->sizeTableChooser()->isEnabled());
    view->sizesPage()->sizesBox()->setChecked(true);
    view->sizesPage()->sizeTableChooser()->setCurrentIndex(0);
    emit view->sizesPage()->sizeTableChooser()->activated(0);
    ASSERT_EQ(view->sizesPage()->sizeFromChooser()->count(), 4);
    view->sizesPage()->sizeFromChooser()->setCurrentIndex(1);
    view->sizesPage()->sizeToChooser()->setCurrentIndex(3);
    // A change typed on another page is not stored from the sizes page.
    view->nameEdit()->SetValue("Non salvato");
    view->pages()->setCurrentIndex(0);
    EXPECT_EQ(project.count("SELECT IDTabellaTaglie FROM Prodotti WHERE ID=1"), 4);
    EXPECT_EQ(project.count("SELECT TagliaDa FROM Prodotti WHERE ID=1"), 1);
    EXPECT_EQ(project.count("SELECT TagliaA FROM Prodotti WHERE ID=1"), 3);
    EXPECT_EQ(project.db().scalar("SELECT Nome FROM ProdottiLingue WHERE IDProdotto=1").toString(), "Sedia");

}

TEST_F(ProductViewFixture, ManagingTheSizeTablesKeepsTheProductsChoice)
{
    project.db().execute("INSERT INTO ValoriTaglie (ID, Nome, Taglie) VALUES (4, 'Internazionali', 'S\nM\nL\nXL')");
    project.db().execute("INSERT INTO ValoriTaglie (ID, Nome, Taglie) VALUES (5, 'Scarpe', '40\n41')");
    insert("A1", "Sedia");
    insert("B2", "Tavolo");
    project.db().execute("UPDATE Prodotti SET IDTabellaTaglie=4, TagliaDa=1, TagliaA=3 WHERE ID=1");
    project.db().execute("UPDATE Prodotti SET IDTabellaTaglie=5, TagliaDa=0, TagliaA=1 WHERE ID=2");
    view->runRecordCommand(First);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    view->pages()->setCurrentIndex(ProductRecords::Sizes);
    ASSERT_EQ(view->sizesPage()->sizeTableChooser()->currentText(), "Internazionali");
    QPushButton *manage = nullptr;
    for (QPushButton *b : view->findChildren<QPushButton *>())
        if (b->text() == "Gestione Tabelle Taglie")
            manage = b;
    ASSERT_TRUE(manage);

    // The dialog is opened and closed without a change.
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    QTest::mouseClick(manage, Qt::LeftButton);
    EXPECT_TRUE(view->sizesPage()->sizesBox()->isChecked());
    EXPECT_EQ(view->sizesPage()->sizeTableChooser()->currentText(), "Internazionali");
    EXPECT_EQ(view->sizesPage()->sizeFromChooser()->currentText(), "M");
    EXPECT_EQ(view->sizesPage()->sizeToChooser()->currentText(), "XL");
    view->runRecordCommand(Next);
    EXPECT_EQ(project.count("SELECT IDTabellaTaglie FROM Prodotti WHERE ID=1"), 4);
    EXPECT_EQ(project.count("SELECT TagliaDa FROM Prodotti WHERE ID=1"), 1);
    EXPECT_EQ(project.count("SELECT TagliaA FROM Prodotti WHERE ID=1"), 3);

    // The second product's table is deleted in the dialog: it has none left.
    ASSERT_EQ(view->sizesPage()->sizeTableChooser()->currentText(), "Scarpe");
    QTimer::singleShot(0, [this] {
        auto *dialog = qobject_cast<CTabelleTaglieDlg *>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        dialog->tableList()->setCurrentRow(1);
        ui->queueAnswer(UiPort::Answer::Yes);
        EXPECT_TRUE(dialog->deleteTable());
        dialog->close();
    });
    QTest::mouseClick(manage, Qt::LeftButton);
    EXPECT_FALSE(view->sizesPage()->sizesBox()->isChecked());
    EXPECT_EQ(view->sizesPage()->sizeTableChooser()->currentIndex(), -1);
    EXPECT_EQ(view->sizesPage()->sizeTableChooser()->count(), 1);
    view->runRecordCommand(First);
    EXPECT_EQ(project.count("SELECT IDTabellaTaglie FROM Prodotti WHERE ID=2"), 0);
    EXPECT_EQ(project.count("SELECT IDTabellaTaglie FROM Prodotti WHERE ID=1"), 4);
}

TEST_F(ProductViewFixture, VariantsEditorShowsTheVariantsOfTheDisplayedProduct)
{
    insert("A1", "Sedia");
    view->categoryToggled(2);
    insert("B2", "Tavolo");
    view->runRecordCommand(First);
    std::unique_ptr<CProdottiView> variants(view->createVariantsEditor());
    ASSERT_TRUE(variants);
    EXPECT_EQ(variants->windowTitle(), "Gestione Varianti - Sedia");
    EXPECT_EQ(variants->navigation().recordCount(), 0);
    variants->runRecordCommand(Insert);
    variants->codeEdit()->SetValue("A1-R");
    variants->nameEdit()->SetValue("Sedia rossa");
    variants->shortEdit()->SetValue("Rossa");
    variants->vatEdit()->SetValue(22.0);
    variants->priceEdit(0)->SetValue(40.0);
    variants->runRecordCommand(SaveNew);
    EXPECT_EQ(variants->navigation().recordCount(), 1);
    const int variant = variants->displayed().id;
    EXPECT_EQ(project.count(QStringLiteral("SELECT IDProdottoBase FROM Prodotti WHERE ID=%1").arg(variant)), 1);
    // The variant took the base product's category.
    EXPECT_EQ(project.count(QStringLiteral("SELECT IDCategoria FROM CategorieProdotti WHERE IDProdotto=%1").arg(variant)), 2);
    // The base frame still lists the two base products only.
    view->runRecordCommand(Filter);
    view->runRecordCommand(Filter);
    EXPECT_EQ(view->navigation().recordCount(), 2);
}

TEST_F(ProductViewFixture, ColoursPageValidatesSavesAndDeletesColours)
{
    project.db().execute("UPDATE Configurazione SET LarghezzaFotoColori=300, "
                         "LarghezzaMiniaturaColori=60, LarghezzaDettaglioColori=150");
    insert("A1", "Sedia");
    view->runRecordCommand(Insert);
    view->pages()->setCurrentIndex(ProductRecords::Colours);
    EXPECT_EQ(view->pages()->currentIndex(), ProductRecords::General);
    EXPECT_TRUE(ui->lastMessage().text.startsWith("ATTENZIONE: durante l'inserimento"));
    view->runRecordCommand(Insert); // pressed again: the insertion is abandoned
    ASSERT_FALSE(view->navigation().isInserting());

    ASSERT_EQ(view->pages()->tabText(ProductRecords::Colours), "Colori");
    view->pages()->setCurrentIndex(ProductRecords::Colours);
    ASSERT_EQ(view->pages()->currentIndex(), ProductRecords::Colours);
    EXPECT_EQ(view->coloursPage()->colourList()->count(), 0);

    view->coloursPage()->colourCodeEdit()->SetValue("R1");
    EXPECT_FALSE(view->coloursPage()->saveColour());
    EXPECT_EQ(ui->lastMessage().text, "Campo obbligatorio!");
    view->coloursPage()->colourDescriptionEdit()->SetValue("Rosso");
    EXPECT_FALSE(view->coloursPage()->saveColour());
    EXPECT_EQ(ui->lastMessage().title, "Colori prodotti");

    QImage source(600, 400, QImage::Format_RGB32);
    source.fill(QColor(200, 20, 20));
    const QString file = project.file("rosso.bmp");
    ASSERT_TRUE(source.save(file));
    ui->queuePath(file);
    ASSERT_TRUE(view->coloursPage()->chooseColourPhoto());
    ASSERT_TRUE(view->coloursPage()->saveColour());
    ASSERT_EQ(view->coloursPage()->colourList()->count(), 1);
    EXPECT_EQ(view->coloursPage()->colourList()->item(0)->text(), "Rosso");
    const int id = view->coloursPage()->colourList()->item(0)->data(Qt::UserRole).toInt();
    EXPECT_EQ(view->coloursPage()->shownColourId(), id);
    EXPECT_EQ(QImage(view->productColours().photoPath(id)).size(), QSize(300, 200));
    EXPECT_EQ(QImage(view->productColours().thumbnailPath(id)).size(), QSize(60, 40));
    EXPECT_EQ(view->coloursPage()->colourList()->iconSize(), QSize(60, 60));

    // Leaving and entering the page lists the colour again.
    view->pages()->setCurrentIndex(ProductRecords::General);
    view->pages()->setCurrentIndex(ProductRecords::Colours);
    ASSERT_EQ(view->coloursPage()->colourList()->count(), 1);
    view->coloursPage()->colourList()->setCurrentRow(0);
    EXPECT_EQ(view->coloursPage()->colourCodeEdit()->text(), "R1");

    ui->queueAnswer(UiPort::Answer::No);
    EXPECT_FALSE(view->coloursPage()->deleteColour());
    EXPECT_EQ(view->coloursPage()->colourList()->count(), 1);
    ui->queueAnswer(UiPort::Answer::Yes);
    ASSERT_TRUE(view->coloursPage()->deleteColour());
    EXPECT_EQ(ui->lastMessage().title, "Cancellazione colore");
    EXPECT_EQ(view->coloursPage()->colourList()->count(), 0);
    EXPECT_FALSE(QFile::exists(view->productColours().photoPath(id)));
    EXPECT_EQ(project.count("SELECT COUNT(*) FROM ProdottiColori"), 0);
}

TEST_F(ProductViewFixture, DeletingAProductLogsItWithItsVariantsAndRemovesTheirFiles)
{
    insert("A1", "Sedia");
    insert("B2", "Tavolo");
    view->runRecordCommand(First);
    const int base = view->displayed().id;
    Database &db = project.db();
    db.execute("INSERT INTO Prodotti (ID, Ordine, IDProdottoBase, Codice) VALUES (10, 10, 1, 'A1-R')");
    db.execute("INSERT INTO ProdottiColori (ID, IDProdotto, Codice) VALUES (7, 10, 'ROSSO')");
    const ProductPictures pictures(project.projectFolder());
    const QStringList files{pictures.productImage(base), pictures.productThumbnail(base),
                            pictures.productImage(10), pictures.productThumbnail(10),
                            pictures.colourPhoto(7), pictures.colourThumbnail(7), pictures.colourDetail(7),
                            project.file("website/images/prodotti/files/M10_manuale.pdf")};
    for (const QString &file : files) {
        QDir().mkpath(QFileInfo(file).path());
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << file.toStdString();
    }

    ui->queueAnswer(UiPort::Answer::Yes);
    view->runRecordCommand(Delete);
    EXPECT_EQ(ui->lastMessage().title, "Cancellazione prodotto");
    EXPECT_EQ(view->navigation().recordCount(), 1);
    EXPECT_EQ(project.count("SELECT COUNT(*) FROM Prodotti"), 1);
    // The site hears of the product, its variant and their rows.
    for (int id : {base, 10})
        EXPECT_EQ(project.count(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE "
                                               "NomeTabella='Prodotti' AND IDRecord=%1").arg(id)), 1) << id;
    EXPECT_EQ(project.count("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='ProdottiColori' AND IDRecord=7"), 1);
    EXPECT_EQ(project.count("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='ProdottiLingue'"), 1);
    for (const QString &file : files)
        EXPECT_FALSE(QFile::exists(file)) << file.toStdString();
    // The deleted file leaves its marker for the site.
    EXPECT_TRUE(QFile::exists(project.file("website/images/prodotti/files/d10_manuale")));
}

#include "editors/catalogue/CProdottiView.h"

#include "../EditorTestProject.h"
#include "common/ScriptedUiPort.h"

#include "controls/CCheckTreeCtrl.h"
#include "controls/CEditableGrid.h"
#include "controls/CValidatedEdit.h"
#include "catalogue/ProductColours.h"

#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>

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
    ASSERT_TRUE(view->chooseImage());
    view->flipImage(true);
    EXPECT_TRUE(view->hasUnsavedChanges());
    view->pages()->setCurrentIndex(ProductRecords::General);
    EXPECT_FALSE(view->imageChanged());
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
    view->chooseImage();
    view->categoryToggled(1);
    view->show();
    QApplication::processEvents();
    const QString folder = QStringLiteral(ZANFIRA_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/prodotti.png");
    ASSERT_TRUE(view->grab().save(path));
    EXPECT_EQ(QImage(path).size(), view->size());
    // One picture of each page as well.
    for (int i = 1; i < view->pages()->count(); ++i) {
        view->pages()->setCurrentIndex(i);
        ASSERT_EQ(view->pages()->currentIndex(), i);
        QApplication::processEvents();
        const QString page = folder + QStringLiteral("/prodotti-%1.png").arg(view->pages()->tabText(i).toLower());
        ASSERT_TRUE(view->grab().save(page));
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
    EXPECT_EQ(view->fileList()->count(), 0);
    view->fileCodeEdit()->SetValue("");
    EXPECT_FALSE(view->addFileCode());
    EXPECT_EQ(ui->lastMessage().text, "Campo obbligatorio!");
    view->fileCodeEdit()->SetValue("Manuale");
    ASSERT_TRUE(view->addFileCode());
    view->fileCodeEdit()->SetValue("manuale");
    EXPECT_FALSE(view->addFileCode());
    EXPECT_EQ(ui->lastMessage().text, "Codice già presente!");

    const QString source = project.file("istruzioni.PDF");
    QFile f(source);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
    f.close();
    view->fileList()->setCurrentRow(0);
    ui->queuePath(source);
    ASSERT_TRUE(view->chooseFileForCode());
    EXPECT_TRUE(QFile::exists(project.file("website/images/prodotti/files/M1_manuale.pdf")));

    ui->queueAnswer(UiPort::Answer::Yes);
    ASSERT_TRUE(view->deleteFileCode());
    EXPECT_EQ(view->fileList()->count(), 0);
    EXPECT_TRUE(QFile::exists(project.file("website/images/prodotti/files/d1_manuale")));
    // Shown again, the marker is not listed.
    view->runRecordCommand(CancelChanges);
    EXPECT_EQ(view->fileList()->count(), 0);
}

TEST_F(ProductViewFixture, SizesPageStoresOnlyTheSizeChoice)
{
    project.db().execute("INSERT INTO ValoriTaglie (ID, Nome, Taglie) VALUES (4, 'Internazionali', 'S\nM\nL\nXL')");
    insert("A1", "Sedia");
    const int sizes = ProductRecords::Sizes;
    ASSERT_EQ(view->pages()->tabText(sizes), "Taglie");
    view->pages()->setCurrentIndex(sizes);
    EXPECT_FALSE(view->sizesBox()->isChecked());
    EXPECT_FALSE(view->sizeTableChooser()->isEnabled());
    view->sizesBox()->setChecked(true);
    view->sizeTableChooser()->setCurrentIndex(0);
    emit view->sizeTableChooser()->activated(0);
    ASSERT_EQ(view->sizeFromChooser()->count(), 4);
    view->sizeFromChooser()->setCurrentIndex(1);
    view->sizeToChooser()->setCurrentIndex(3);
    // A change typed on another page is not stored from the sizes page.
    view->nameEdit()->SetValue("Non salvato");
    view->pages()->setCurrentIndex(0);
    EXPECT_EQ(project.count("SELECT IDTabellaTaglie FROM Prodotti WHERE ID=1"), 4);
    EXPECT_EQ(project.count("SELECT TagliaDa FROM Prodotti WHERE ID=1"), 1);
    EXPECT_EQ(project.count("SELECT TagliaA FROM Prodotti WHERE ID=1"), 3);
    EXPECT_EQ(project.db().scalar("SELECT Nome FROM ProdottiLingue WHERE IDProdotto=1").toString(), "Sedia");

    // Editing the size tables resets the page's choice, stored on leaving.
    view->pages()->setCurrentIndex(sizes);
    EXPECT_TRUE(view->sizesBox()->isChecked());
    project.db().execute("INSERT INTO ValoriTaglie (ID, Nome, Taglie) VALUES (5, 'Scarpe', '40\n41')");
    view->sizeTablesEdited();
    EXPECT_EQ(view->sizeTableChooser()->count(), 2);
    EXPECT_EQ(view->sizeTableChooser()->currentIndex(), -1);
    EXPECT_FALSE(view->sizesBox()->isChecked());
    EXPECT_EQ(view->sizeFromChooser()->count(), 0);
    view->pages()->setCurrentIndex(0);
    EXPECT_EQ(project.count("SELECT IDTabellaTaglie FROM Prodotti WHERE ID=1"), 0);
    EXPECT_EQ(project.count("SELECT TagliaDa FROM Prodotti WHERE ID=1"), -1);
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
    EXPECT_EQ(view->colourList()->count(), 0);

    view->colourCodeEdit()->SetValue("R1");
    EXPECT_FALSE(view->saveColour());
    EXPECT_EQ(ui->lastMessage().text, "Campo obbligatorio!");
    view->colourDescriptionEdit()->SetValue("Rosso");
    EXPECT_FALSE(view->saveColour());
    EXPECT_EQ(ui->lastMessage().title, "Colori prodotti");

    QImage source(600, 400, QImage::Format_RGB32);
    source.fill(QColor(200, 20, 20));
    const QString file = project.file("rosso.bmp");
    ASSERT_TRUE(source.save(file));
    ui->queuePath(file);
    ASSERT_TRUE(view->chooseColourPhoto());
    ASSERT_TRUE(view->saveColour());
    ASSERT_EQ(view->colourList()->count(), 1);
    EXPECT_EQ(view->colourList()->item(0)->text(), "Rosso");
    const int id = view->colourList()->item(0)->data(Qt::UserRole).toInt();
    EXPECT_EQ(view->shownColourId(), id);
    EXPECT_EQ(QImage(view->productColours().photoPath(id)).size(), QSize(300, 200));
    EXPECT_EQ(QImage(view->productColours().thumbnailPath(id)).size(), QSize(60, 40));
    EXPECT_EQ(view->colourList()->iconSize(), QSize(60, 60));

    // Leaving and entering the page lists the colour again.
    view->pages()->setCurrentIndex(ProductRecords::General);
    view->pages()->setCurrentIndex(ProductRecords::Colours);
    ASSERT_EQ(view->colourList()->count(), 1);
    view->colourList()->setCurrentRow(0);
    EXPECT_EQ(view->colourCodeEdit()->text(), "R1");

    ui->queueAnswer(UiPort::Answer::No);
    EXPECT_FALSE(view->deleteColour());
    EXPECT_EQ(view->colourList()->count(), 1);
    ui->queueAnswer(UiPort::Answer::Yes);
    ASSERT_TRUE(view->deleteColour());
    EXPECT_EQ(ui->lastMessage().title, "Cancellazione colore");
    EXPECT_EQ(view->colourList()->count(), 0);
    EXPECT_FALSE(QFile::exists(view->productColours().photoPath(id)));
    EXPECT_EQ(project.count("SELECT COUNT(*) FROM ProdottiColori"), 0);
}

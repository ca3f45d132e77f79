#include "editors/catalogue/CCategorieView.h"

#include "EditorTestProject.h"
#include "common/ScriptedUiPort.h"
#include "common/Screenshots.h"

#include "controls/CValidatedEdit.h"
#include "support/imaging/Image.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

struct CategoryViewFixture : ::testing::Test {
    ScopedScriptedUi ui;
    EditorTestProject project;
    std::unique_ptr<CCategorieView> view;

    void SetUp() override
    {
        project.db().execute("UPDATE Configurazione SET LarghezzaIconaCategorie=120");
        view = std::make_unique<CCategorieView>(project);
        view->resize(760, 460);
    }
    int insertUnder(int parent, const QString &code, const QString &name)
    {
        if (parent)
            view->selectNode(parent);
        else
            view->clearSelection();
        view->codeEdit()->SetValue(code);
        view->nameEdit()->SetValue(name);
        view->descriptionEdit()->SetValue(name + " (descrizione)");
        view->insertNode();
        return project.count(QStringLiteral("SELECT MAX(ID) FROM Categorie"));
    }
    bool enabled(TreeEditorView::Button b) { return view->button(b)->isEnabled(); }
};

} // namespace

TEST_F(CategoryViewFixture, SelectionOpeningAndButtonStates)
{
    const int wine = insertUnder(0, "VIN", "Vini");
    const int red = insertUnder(wine, "ROS", "Rossi");
    const int white = insertUnder(wine, "BIA", "Bianchi");
    ASSERT_EQ(view->tree()->topLevelItemCount(), 1);
    EXPECT_EQ(view->itemFor(wine)->childCount(), 2);
    EXPECT_TRUE(view->nameEdit()->text().isEmpty());

    view->selectNode(red);
    EXPECT_FALSE(enabled(TreeEditorView::Up)); // first child
    EXPECT_TRUE(enabled(TreeEditorView::Down));
    EXPECT_TRUE(enabled(TreeEditorView::Insert));
    EXPECT_FALSE(enabled(TreeEditorView::Save));
    EXPECT_TRUE(view->nameEdit()->text().isEmpty());
    view->selectNode(white);
    EXPECT_TRUE(enabled(TreeEditorView::Up));
    EXPECT_FALSE(enabled(TreeEditorView::Down)); // last child

    // A second click on the selection opens the category.
    view->clickNode(white);
    EXPECT_EQ(view->openId(), white);
    EXPECT_EQ(view->codeEdit()->text(), "BIA");
    EXPECT_EQ(view->nameEdit()->text(), "Bianchi");
    EXPECT_FALSE(enabled(TreeEditorView::Insert));
    for (auto b : {TreeEditorView::Save, TreeEditorView::Reload, TreeEditorView::Delete,
                   TreeEditorView::ImageButton})
        EXPECT_TRUE(enabled(b)) << b;

    // Reload drops what was typed; Save stores it and closes the category.
    view->nameEdit()->SetValue("Bianchi frizzanti");
    view->reloadNode();
    EXPECT_EQ(view->nameEdit()->text(), "Bianchi");
    view->nameEdit()->SetValue("Bianchi fermi");
    view->saveNode();
    EXPECT_EQ(view->itemFor(white)->text(0), "Bianchi fermi");
    EXPECT_EQ(view->openId(), 0);
    EXPECT_EQ(view->selectedId(), 0);
    EXPECT_FALSE(enabled(TreeEditorView::Save));

    // Up swaps the order on screen and in the table.
    view->selectNode(white);
    view->moveUp();
    EXPECT_EQ(view->itemFor(wine)->child(0)->text(0), "Bianchi fermi");
    EXPECT_EQ(view->selectedId(), white);
    EXPECT_FALSE(enabled(TreeEditorView::Up));
    view->refreshLanguage();
    EXPECT_EQ(view->itemFor(wine)->child(0)->text(0), "Bianchi fermi");
    EXPECT_EQ(view->selectedId(), 0);
}

TEST_F(CategoryViewFixture, SelectingWithTheMouseEnablesTheMoveButtonsAsTheKeyboardDoes)
{
    const int wine = insertUnder(0, "VIN", "Vini");
    insertUnder(wine, "ROS", "Rossi");
    const int white = insertUnder(wine, "BIA", "Bianchi");
    view->show();
    view->tree()->expandAll();
    QApplication::processEvents();

    QTreeWidgetItem *item = view->itemFor(white);
    QTest::mouseClick(view->tree()->viewport(), Qt::LeftButton, {},
                      view->tree()->visualItemRect(item).center());
    EXPECT_EQ(view->selectedId(), white);
    EXPECT_TRUE(enabled(TreeEditorView::Up));
    EXPECT_FALSE(enabled(TreeEditorView::Down));

    // The keyboard gives the same states.
    view->tree()->setFocus();
    QTest::keyClick(view->tree()->viewport(), Qt::Key_Up);
    EXPECT_NE(view->selectedId(), white);
    EXPECT_FALSE(enabled(TreeEditorView::Up));
    EXPECT_TRUE(enabled(TreeEditorView::Down));
}

TEST_F(CategoryViewFixture, DeleteAsksAndRemovesTheSubtree)
{
    const int wine = insertUnder(0, "VIN", "Vini");
    insertUnder(wine, "ROS", "Rossi");
    view->clickNode(wine);
    view->clickNode(wine);
    ui->queueAnswer(UiPort::Answer::No);
    view->deleteNode();
    EXPECT_EQ(ui->lastMessage().title, "Cancellazione categoria");
    EXPECT_EQ(ui->lastMessage().text, "ATTENZIONE:\nquesta operazione cancellerà definitivamente\n"
                                      "anche tutti i prodotti della categoria.\n\nConfermi ?");
    EXPECT_EQ(view->tree()->topLevelItemCount(), 1);
    view->clickNode(wine);
    view->clickNode(wine);
    ui->queueAnswer(UiPort::Answer::Yes);
    view->deleteNode();
    EXPECT_EQ(view->tree()->topLevelItemCount(), 0);
    EXPECT_EQ(project.count("SELECT COUNT(*) FROM Categorie"), 0);
    EXPECT_TRUE(enabled(TreeEditorView::Insert));
}

TEST_F(CategoryViewFixture, ImageCancelRemovesTheImageWhenConfirmedAndACopyAppearsUnderTheTarget)
{
    const int wine = insertUnder(0, "VIN", "Vini");
    const int beer = insertUnder(0, "BIR", "Birre");
    QImage picture(60, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    const QString source = project.file("pic.jpg");
    ASSERT_TRUE(picture.save(source, "JPG"));

    view->clickNode(wine);
    view->clickNode(wine);
    ui->queuePath(source);
    view->chooseImage();
    const QString stored = project.projectFolder() + QStringLiteral("website/images/categorie/it/%1.jpg").arg(wine);
    EXPECT_EQ(QImage(stored).size(), QSize(120, 60));
    EXPECT_TRUE(view->image().isLoaded());

    // Cancelling the chooser asks before the stored image goes.
    ui->queueAnswer(UiPort::Answer::No);
    view->chooseImage();
    EXPECT_EQ(ui->lastMessage().text, "Eliminare l'immagine attuale della categoria?");
    EXPECT_EQ(ui->lastMessage().title, "Icona Categoria");
    EXPECT_TRUE(QFile::exists(stored));
    ui->queueAnswer(UiPort::Answer::Yes);
    view->chooseImage();
    EXPECT_FALSE(QFile::exists(stored));
    EXPECT_FALSE(view->image().isLoaded());

    view->dropNode(wine, beer, true);
    ASSERT_EQ(view->itemFor(beer)->childCount(), 1);
    EXPECT_EQ(view->itemFor(beer)->child(0)->text(0), "Vini");
    view->dropNode(wine, beer, false);
    EXPECT_EQ(view->tree()->topLevelItemCount(), 1);
    EXPECT_EQ(view->itemFor(beer)->childCount(), 2);
    view->dropNode(wine, beer, false); // already its parent: refused
    EXPECT_EQ(view->itemFor(beer)->childCount(), 2);
}

TEST_F(CategoryViewFixture, AnImageThatCannotBeReadOrStoredLeavesTheOldOne)
{
    const int wine = insertUnder(0, "VIN", "Vini");
    QImage picture(60, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    const QString source = project.file("pic.jpg");
    ASSERT_TRUE(picture.save(source, "JPG"));
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    view->clickNode(wine);
    view->clickNode(wine);
    QPushButton *imageButton = view->button(TreeEditorView::ImageButton);
    ui->queuePath(source);
    QTest::mouseClick(imageButton, Qt::LeftButton);
    const QString stored = project.projectFolder() + QStringLiteral("website/images/categorie/it/%1.jpg").arg(wine);
    ASSERT_TRUE(QFile::exists(stored));
    ui->clearCalls();

    // A file that is not an image.
    const QString text = project.file("note.jpg");
    {
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("non sono un'immagine");
    }
    ui->queuePath(text);
    QTest::mouseClick(imageButton, Qt::LeftButton);
    ASSERT_EQ(ui->messages().size(), 1u);
    EXPECT_EQ(ui->lastMessage().title, "Icona Categoria");
    EXPECT_EQ(ui->lastMessage().text, "Impossibile leggere l'immagine:\n" + text
                                          + "\n\nL'immagine attuale non è stata modificata.");
    EXPECT_EQ(ui->lastMessage().icon, UiPort::Icon::Stop);
    EXPECT_EQ(QImage(stored).size(), QSize(120, 60));
    EXPECT_TRUE(view->image().isLoaded());
    EXPECT_EQ(project.count(QStringLiteral("SELECT Immagine FROM CategorieLingue WHERE IDCategoria=%1").arg(wine)), 1);

    // A GIF whose file cannot be written (its name is taken by a folder).
    const QString gifTarget = project.projectFolder() + QStringLiteral("website/images/categorie/it/%1.gif").arg(wine);
    ASSERT_TRUE(QDir().mkpath(gifTarget));
    const QString gif = project.file("pic.gif");
    ASSERT_TRUE(Image(picture).saveGif(gif));
    ui->clearCalls();
    ui->queuePath(gif);
    QTest::mouseClick(imageButton, Qt::LeftButton);
    ASSERT_EQ(ui->messages().size(), 1u);
    EXPECT_TRUE(ui->lastMessage().text.startsWith("Impossibile salvare l'immagine:\n" + gifTarget + "\n"))
        << ui->lastMessage().text.toStdString();
    EXPECT_TRUE(ui->lastMessage().text.endsWith("\n\nL'immagine attuale non è stata modificata."));
    EXPECT_EQ(QImage(stored).size(), QSize(120, 60));
    EXPECT_EQ(project.count(QStringLiteral("SELECT Immagine FROM CategorieLingue WHERE IDCategoria=%1").arg(wine)), 1);

    // Once the GIF can be written, it replaces the JPEG.
    ASSERT_TRUE(QDir().rmdir(gifTarget));
    ui->queuePath(gif);
    QTest::mouseClick(imageButton, Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(gifTarget));
    EXPECT_FALSE(QFile::exists(stored));
}

TEST_F(CategoryViewFixture, CategoriesWithoutCodeCanBeRenamed)
{
    // Categories written without a code (Null), as an import or an older
    // program leaves them.
    for (int id : {1, 2}) {
        project.db().execute(QStringLiteral("INSERT INTO Categorie (ID, Ordine, IDCategoriaPadre, Codice) "
                                            "VALUES (%1, %1, 0, NULL)").arg(id));
        project.db().execute(QStringLiteral("INSERT INTO CategorieLingue (ID, IDCategoria, CodiceLingua, Nome) "
                                            "VALUES (%1, %1, 'it', 'Categoria %1')").arg(id));
    }
    view = std::make_unique<CCategorieView>(project);
    view->resize(760, 460);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    QTreeWidget *tree = view->tree();
    const QRect item = tree->visualItemRect(view->itemFor(2));
    // A click selects, a second click opens the category for modification.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, item.center());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, item.center(), 600);
    ASSERT_TRUE(view->button(TreeEditorView::Save)->isEnabled());
    view->nameEdit()->setFocus();
    view->nameEdit()->selectAll();
    QTest::keyClicks(view->nameEdit(), "Accessori");
    QTest::mouseClick(view->button(TreeEditorView::Save), Qt::LeftButton);
    EXPECT_TRUE(ui->messages().empty()) << ui->lastMessage().text.toStdString();
    EXPECT_EQ(project.db().scalar("SELECT Nome FROM CategorieLingue WHERE IDCategoria=2").toString(), "Accessori");
    EXPECT_EQ(view->itemFor(2)->text(0), "Accessori");
}

TEST_F(CategoryViewFixture, ScreenshotOfAThreeLevelTree)
{
    const int wine = insertUnder(0, "VIN", "Vini");
    const int red = insertUnder(wine, "ROS", "Rossi");
    insertUnder(red, "BAR", "Barolo");
    insertUnder(red, "CHI", "Chianti");
    insertUnder(wine, "BIA", "Bianchi");
    const int cheese = insertUnder(0, "FOR", "Formaggi");
    insertUnder(cheese, "STA", "Stagionati");

    QImage picture(160, 100, QImage::Format_RGB32);
    picture.fill(QColor(120, 20, 40));
    {
        QPainter p(&picture);
        p.setBrush(QColor(240, 220, 120));
        p.drawEllipse(QRect(40, 15, 80, 70));
    }
    const QString source = project.file("rossi.bmp");
    ASSERT_TRUE(picture.save(source, "BMP"));
    view->selectNode(red);
    view->clickNode(red);
    ui->queuePath(source);
    view->chooseImage();
    view->tree()->expandAll();
    ASSERT_TRUE(saveScreenshot(*view, QStringLiteral("categorie.png")));
    const QString path = screenshotPath(QStringLiteral("categorie.png"));
    EXPECT_EQ(QImage(path).size(), view->size());
}

TEST_F(CategoryViewFixture, ADatabaseFailureIsReportedAndWritesNothing)
{
    insertUnder(0, "VIN", "Vini");
    // A damaged project: the language table is gone.
    project.db().executeNative("DROP TABLE CategorieLingue");
    ui->clearCalls();
    view->clearSelection();
    view->codeEdit()->SetValue("BIR");
    view->nameEdit()->SetValue("Birre");
    view->insertNode();
    ASSERT_FALSE(ui->messages().empty());
    EXPECT_EQ(ui->messages()[0].title, "Categorie prodotti");
    EXPECT_TRUE(ui->messages()[0].text.startsWith("Errore nell'archivio dati:"));
    EXPECT_EQ(ui->messages()[0].icon, UiPort::Icon::Stop);
    // The insert ran in one transaction: no general row without its texts.
    EXPECT_EQ(project.count("SELECT COUNT(*) FROM Categorie"), 1);
}

#include "AppTestSupport.h"

#include "app/CChildFrame.h"
#include "app/CSplashWnd.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "common/Screenshots.h"
#include "config/CurrencyTable.h"
#include "controls/CEditableGrid.h"
#include "controls/CValidatedEdit.h"
#include "editors/common/EditorContract.h"
#include "editors/common/TreeEditorView.h"
#include "editors/orders/COrderTextView.h"
#include "project/ProjectSession.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTest>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolBar>

using namespace apptest;

// Editors standing in for the ones the close rules name; each records what
// the frame asked of it.
namespace fakes {

class FakeEditor : public QWidget, public EditorContract {
public:
    bool inserting = false;
    bool unsaved = false;
    bool saveResult = true;
    bool pendingRow = false;
    bool rowValid = true;
    bool follows = false;
    int saves = 0;
    int resumes = 0;
    int refreshes = 0;
    int firstRuns = 0;
    bool recordEnabled = true;

    bool insertInProgress() const override { return inserting; }
    bool hasUnsavedChanges() override { return unsaved; }
    bool saveChanges() override
    {
        ++saves;
        if (saveResult)
            unsaved = false;
        return saveResult;
    }
    bool hasPendingNewRow() const override { return pendingRow; }
    bool validatePendingNewRow() override { return rowValid; }
    void resumeEditing() override { ++resumes; }
    bool refreshesOnLanguageChange() const override { return follows; }
    void refreshLanguage() override { ++refreshes; }
    bool handlesRecordCommand(int id) const override { return id == Cmd::RecordFirst; }
    CommandState recordCommandState(int) override { return {recordEnabled, false}; }
    void runRecordCommand(int) override { ++firstRuns; }
};

class CProdottiView : public FakeEditor {
    Q_OBJECT
};
class CParGenView : public FakeEditor {
    Q_OBJECT
};
class CTabellaProdottiView : public FakeEditor {
    Q_OBJECT
};
class CValuteView : public FakeEditor {
    Q_OBJECT
};
class CLingueView : public FakeEditor {
    Q_OBJECT
};
class CUtentiView : public FakeEditor {
    Q_OBJECT
};

} // namespace fakes

namespace {

using namespace fakes;

template <class View>
QWidget *makeFake(EditorHost &, const FrameParams &, QWidget *parent)
{
    auto *v = new View;
    v->setParent(parent);
    return v;
}

const QString kInsertWarning =
    QStringLiteral("ATTENZIONE: annullare l'inserimento in corso prima di uscire.");

} // namespace

class MainFrameTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(project.isValid());
        // English active besides the default Italian.
        execSql(project.folder().database(), "UPDATE Lingue SET Attivo=1 WHERE Codice='en'");
        ASSERT_TRUE(startOn(project.path()));
        ASSERT_TRUE(app->isProjectOpen());
        scripted->clearCalls();
    }

    // Opens a stand-in editor in a child frame, as the opener of a command does.
    template <class View>
    CChildFrame *openFake(View **view, FrameParams params = {})
    {
        auto *f = new CChildFrame(*app, params);
        EXPECT_TRUE(f->createView(&makeFake<View>));
        frame().showFrame(f, false);
        *view = static_cast<View *>(f->view());
        return f;
    }

    void selectLanguage(const QString &code)
    {
        QComboBox *box = frame().languageSelector();
        const int row = box->findData(code);
        ASSERT_GE(row, 0);
        box->setCurrentIndex(row);
        emit box->activated(row);
    }

    TempProject project;
};

TEST_F(MainFrameTest, OnlyCommandsWithAnEditorAreOffered)
{
    for (const AppCommand &c : appCommands())
        EXPECT_EQ(frame().action(c.id) != nullptr, c.isAvailable()) << c.id;
    EXPECT_NE(frame().action(Cmd::Dizionario), nullptr);
    EXPECT_NE(frame().action(Cmd::CondizioniVendita), nullptr);
    EXPECT_EQ(frame().action(Cmd::FileNew)->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(frame().action(Cmd::FileOpen)->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
    EXPECT_EQ(frame().action(Cmd::FilePrint)->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    EXPECT_FALSE(frame().designerToolbar()->isVisibleTo(&frame()));
}

TEST_F(MainFrameTest, OneEditorAtATime)
{
    auto offered = [&] {
        QList<QAction *> out;
        for (const AppCommand &c : appCommands())
            if (QAction *a = frame().action(c.id))
                out.append(a);
        return out;
    };
    ASSERT_FALSE(offered().isEmpty());
    for (QAction *a : offered())
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    EXPECT_FALSE(frame().action(Cmd::RecordFilter)->isEnabled());

    CChildFrame *editor = app->OpenEditor(Cmd::Dizionario);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Dizionario"));
    EXPECT_TRUE(app->isEditorOpen());
    for (QAction *a : offered())
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    EXPECT_FALSE(frame().action(Cmd::FileNew)->isEnabled());
    EXPECT_FALSE(frame().action(Cmd::FileOpen)->isEnabled());
    EXPECT_EQ(app->OpenEditor(Cmd::CondizioniVendita), nullptr);
    EXPECT_EQ(frame().mdiArea()->subWindowList().size(), 1);

    EXPECT_TRUE(editor->close());
    QCoreApplication::processEvents();
    EXPECT_FALSE(app->isEditorOpen());
    for (QAction *a : offered())
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
}

TEST_F(MainFrameTest, RecordCommandsGoToTheOpenEditor)
{
    FakeEditor *view = nullptr;
    CUtentiView *users = nullptr;
    openFake(&users);
    view = users;
    frame().updateCommandUi();
    EXPECT_TRUE(frame().action(Cmd::RecordFirst)->isEnabled());
    EXPECT_FALSE(frame().action(Cmd::RecordLast)->isEnabled());
    frame().action(Cmd::RecordFirst)->trigger();
    EXPECT_EQ(view->firstRuns, 1);

    // The editor's state moved on before the toolbar caught up: the command
    // it no longer allows does not reach it.
    view->recordEnabled = false;
    ASSERT_TRUE(frame().action(Cmd::RecordFirst)->isEnabled());
    frame().action(Cmd::RecordFirst)->trigger();
    EXPECT_EQ(view->firstRuns, 1);
    EXPECT_FALSE(frame().action(Cmd::RecordFirst)->isEnabled());
}

TEST_F(MainFrameTest, InsertInProgressKeepsTheProductEditorOpen)
{
    CProdottiView *view = nullptr;
    CChildFrame *f = openFake(&view);
    view->inserting = true;
    EXPECT_FALSE(f->close());
    ASSERT_EQ(scripted->messages().size(), 1u);
    EXPECT_EQ(scripted->lastMessage().title, QStringLiteral("Inserimento prodotto"));
    EXPECT_EQ(scripted->lastMessage().text, kInsertWarning);
    EXPECT_EQ(scripted->lastMessage().icon, UiPort::Icon::Exclamation);
    EXPECT_EQ(view->saves, 0);

    // A failed save keeps it open silently.
    view->inserting = false;
    view->unsaved = true;
    view->saveResult = false;
    EXPECT_TRUE(CChildFrame::ruleFor("CProdottiView").rule == CChildFrame::CloseRule::RecordForm);
    EXPECT_FALSE(f->canClose());
    EXPECT_EQ(view->saves, 1);
    view->saveResult = true;
    EXPECT_TRUE(f->close());
}

TEST_F(MainFrameTest, SaveFailureRulesByEditorFamily)
{
    CParGenView *par = nullptr;
    CChildFrame *f = openFake(&par);
    par->unsaved = true;
    par->saveResult = false;
    EXPECT_FALSE(f->close());
    par->saveResult = true;
    EXPECT_TRUE(f->close());

    // The product table saves and closes whatever the result.
    CTabellaProdottiView *table = nullptr;
    f = openFake(&table);
    table->unsaved = true;
    table->saveResult = false;
    EXPECT_TRUE(f->close());
    EXPECT_EQ(table->saves, 1);
}

TEST_F(MainFrameTest, GridEditorsResumeAtTheCell)
{
    CValuteView *grid = nullptr;
    CChildFrame *f = openFake(&grid);
    grid->pendingRow = true;
    grid->rowValid = false;
    EXPECT_FALSE(f->close());
    EXPECT_EQ(grid->resumes, 1);
    grid->rowValid = true;
    grid->unsaved = true;
    grid->saveResult = false;
    EXPECT_FALSE(f->close());
    EXPECT_EQ(grid->resumes, 2);
    grid->saveResult = true;
    EXPECT_TRUE(f->close());
}

TEST_F(MainFrameTest, LanguagesEditorNeedsAnActiveLanguageToClose)
{
    CLingueView *languages = nullptr;
    CChildFrame *f = openFake(&languages);
    execSql(project.folder().database(), "UPDATE Lingue SET Attivo=0");
    EXPECT_FALSE(f->close());
    EXPECT_EQ(scripted->lastMessage().title, QStringLiteral("Gestione lingue"));
    EXPECT_EQ(scripted->lastMessage().text,
              QStringLiteral("ATTENZIONE: attivare almeno una lingua prima di uscire."));
    execSql(project.folder().database(), "UPDATE Lingue SET Attivo=1 WHERE Codice='it'");
    EXPECT_TRUE(f->close());
    EXPECT_EQ(frame().languageSelector()->count(), 1);
}

TEST_F(MainFrameTest, SecondaryFrameKeepsTheEditorState)
{
    FrameParams params;
    params.secondary = 7;
    CParGenView *view = nullptr;
    CChildFrame *f = openFake(&view, params);
    bool ends = true;
    QObject::connect(f, &CChildFrame::frameClosed, [&](CChildFrame *, bool e) { ends = e; });
    EXPECT_TRUE(f->close());
    EXPECT_FALSE(ends);
}

TEST_F(MainFrameTest, LanguageSelectorIsSortedWithTheDefaultSelected)
{
    QComboBox *box = frame().languageSelector();
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(box->itemText(0), QStringLiteral("Inglese"));
    EXPECT_EQ(box->itemText(1), QStringLiteral("Italiano"));
    EXPECT_EQ(box->currentIndex(), 1);
    EXPECT_EQ(frame().GetDefaultLanguageCode(), QStringLiteral("it"));
    EXPECT_TRUE(frame().IsDefaultLanguage());
    selectLanguage(QStringLiteral("en"));
    EXPECT_EQ(frame().GetCurrentLanguageCode(), QStringLiteral("en"));
    EXPECT_FALSE(frame().IsDefaultLanguage());
    frame().SelectDefaultLanguage();
    EXPECT_EQ(frame().GetCurrentLanguageCode(), QStringLiteral("it"));
    frame().ResetLanguages();
    EXPECT_EQ(box->count(), 0);
}

TEST_F(MainFrameTest, LanguageChangeRefreshesOnlyTheEditorsThatFollowIt)
{
    CUtentiView *users = nullptr;
    CChildFrame *f = openFake(&users);
    selectLanguage(QStringLiteral("en"));
    EXPECT_EQ(users->refreshes, 0);
    users->follows = true;
    selectLanguage(QStringLiteral("it"));
    EXPECT_EQ(users->refreshes, 1);
    // Selecting the default language from code tells nobody.
    selectLanguage(QStringLiteral("en"));
    frame().SelectDefaultLanguage();
    EXPECT_EQ(users->refreshes, 2);
    f->close();
}

TEST_F(MainFrameTest, OrderTextIsStoredPerLanguageOnChangeAndClose)
{
    CChildFrame *f = app->OpenEditor(Cmd::CondizioniVendita);
    ASSERT_NE(f, nullptr);
    auto *view = qobject_cast<COrderTextView *>(f->view());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->textKind(), 0);
    view->textEdit()->setPlainText(QStringLiteral("Condizioni italiane"));
    selectLanguage(QStringLiteral("en"));
    // English has no row yet: the Italian text is shown as its fallback.
    EXPECT_EQ(view->textEdit()->toPlainText(), QStringLiteral("Condizioni italiane"));
    view->textEdit()->setPlainText(QStringLiteral("Terms of sale"));
    EXPECT_TRUE(f->close());
    QCoreApplication::processEvents();

    const QString db = project.folder().database();
    EXPECT_EQ(scalarText(db, "SELECT Testo FROM CondizioniVendita WHERE CodiceLingua='it'"),
              QStringLiteral("Condizioni italiane"));
    EXPECT_EQ(scalarText(db, "SELECT Testo FROM CondizioniVendita WHERE CodiceLingua='en'"),
              QStringLiteral("Terms of sale"));
    EXPECT_EQ(scalarText(db, "SELECT COUNT(*) FROM NotificaCliente WHERE Testo LIKE 'Terms%'"),
              QStringLiteral("0"));

    // The customer notification works on its own table.
    f = app->OpenEditor(Cmd::NotificaCliente);
    ASSERT_NE(f, nullptr);
    view = qobject_cast<COrderTextView *>(f->view());
    EXPECT_EQ(view->textKind(), 1);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Testo notifica cliente"));
    EXPECT_NE(view->textEdit()->toPlainText(), QStringLiteral("Terms of sale"));
    f->close();
}

TEST_F(MainFrameTest, OrderTextTheUserDidNotChangeIsNotWritten)
{
    const QString db = project.folder().database();
    execSql(db, "INSERT INTO CondizioniVendita (ID, CodiceLingua, Testo, Modificato) VALUES (1, 'it', 'Pubblicato', 0)");
    CChildFrame *f = app->OpenEditor(Cmd::CondizioniVendita);
    ASSERT_NE(f, nullptr);
    // English shows the Italian text as its fallback; looking is not writing.
    selectLanguage(QStringLiteral("en"));
    selectLanguage(QStringLiteral("it"));
    EXPECT_TRUE(f->close());
    QCoreApplication::processEvents();
    EXPECT_EQ(scalarText(db, "SELECT COUNT(*) || ':' || SUM(Modificato) FROM CondizioniVendita"), QStringLiteral("1:0"));
}

TEST_F(MainFrameTest, ExitReminderWhenTheSiteNeedsUpdating)
{
    ASSERT_TRUE(QFile(project.folder().updateMarker()).open(QIODevice::WriteOnly));
    scripted->queueAnswer(UiPort::Answer::Yes);
    EXPECT_FALSE(frame().close());
    EXPECT_TRUE(frame().isVisible());
    ASSERT_EQ(scripted->messages().size(), 1u);
    EXPECT_EQ(scripted->lastMessage().title, QStringLiteral("Aggiornamento sito"));
    EXPECT_EQ(scripted->lastMessage().text, ProjectSession::ExitReminderText);
    EXPECT_EQ(scripted->lastMessage().buttons, UiPort::Buttons::YesNo);

    // No closes it, after the open editor has stored its text.
    CChildFrame *f = app->OpenEditor(Cmd::NotificaCliente);
    ASSERT_NE(f, nullptr);
    qobject_cast<COrderTextView *>(f->view())->textEdit()->setPlainText(QStringLiteral("Grazie"));
    scripted->queueAnswer(UiPort::Answer::No);
    EXPECT_TRUE(frame().close());
    EXPECT_EQ(scalarText(project.folder().database(),
                         "SELECT Testo FROM NotificaCliente WHERE CodiceLingua='it'"),
              QStringLiteral("Grazie"));
}

TEST_F(MainFrameTest, NoReminderWithoutTheMarker)
{
    EXPECT_TRUE(frame().close());
    EXPECT_TRUE(scripted->messages().empty());
}

TEST_F(MainFrameTest, SplashSwallowsTheFirstKey)
{
    QLineEdit edit;
    edit.show();
    edit.setFocus();
    CSplashWnd::EnableSplashScreen(true);
    CSplashWnd::ShowSplashScreen(&frame());
    ASSERT_NE(CSplashWnd::current(), nullptr);
    typeText(&edit, QStringLiteral("a"));
    EXPECT_EQ(CSplashWnd::current(), nullptr);
    EXPECT_TRUE(edit.text().isEmpty());
    typeText(&edit, QStringLiteral("b"));
    EXPECT_EQ(edit.text(), QStringLiteral("b"));
    CSplashWnd::EnableSplashScreen(false);
}

TEST_F(MainFrameTest, SplashGoesByItself)
{
    CSplashWnd::EnableSplashScreen(true);
    CSplashWnd::ShowSplashScreen(&frame());
    ASSERT_NE(CSplashWnd::current(), nullptr);
    waitMs(CSplashWnd::kShowMs + 300);
    EXPECT_EQ(CSplashWnd::current(), nullptr);
    CSplashWnd::EnableSplashScreen(false);
}

TEST_F(MainFrameTest, ScreenshotWithTheDictionaryOpen)
{
    frame().resize(1100, 720);
    CChildFrame *f = app->OpenEditor(Cmd::Dizionario);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(saveScreenshot(frame(), QStringLiteral("mainwindow.png")));
    f->close();
}

TEST_F(MainFrameTest, CtrlSStoresWhatTheOpenEditorHolds)
{
    frame().show();
    frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    const QString db = project.folder().database();

    CChildFrame *f = app->OpenEditor(Cmd::CondizioniVendita);
    ASSERT_NE(f, nullptr);
    auto *text = qobject_cast<COrderTextView *>(f->view())->textEdit();
    text->setFocus();
    QTest::keyClicks(text, QStringLiteral("Pagamento anticipato"));
    QTest::keyClick(text, Qt::Key_S, Qt::ControlModifier);
    // Stored while the window stays open.
    EXPECT_EQ(scalarText(db, "SELECT Testo FROM CondizioniVendita WHERE CodiceLingua='it'"),
              QStringLiteral("Pagamento anticipato"));
    EXPECT_TRUE(f->isVisible());
    ASSERT_TRUE(f->close());
    QCoreApplication::processEvents();

    execSql(db, "INSERT INTO Categorie (ID, Ordine, IDCategoriaPadre, Codice) VALUES (1, 1, 0, 'VIN')");
    execSql(db, "INSERT INTO CategorieLingue (ID, IDCategoria, CodiceLingua, Nome, Descrizione) VALUES (1, 1, 'it', 'Vini', 'Vini')");
    f = app->OpenEditor(Cmd::Categorie);
    ASSERT_NE(f, nullptr);
    auto *tree = dynamic_cast<TreeEditorView *>(f->view());
    ASSERT_NE(tree, nullptr);
    tree->clickNode(1);
    tree->clickNode(1);
    ASSERT_EQ(tree->openId(), 1);
    tree->nameEdit()->setFocus();
    tree->nameEdit()->selectAll();
    QTest::keyClicks(tree->nameEdit(), QStringLiteral("Vini rossi"));
    QTest::keyClick(tree->nameEdit(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(scalarText(db, "SELECT Nome FROM CategorieLingue WHERE IDCategoria=1 AND CodiceLingua='it'"),
              QStringLiteral("Vini rossi"));
    f->close();
}

TEST_F(MainFrameTest, CtrlSOnANewRowWithoutItsMandatoryFieldGoesBackToThatField)
{
    frame().show();
    frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    CChildFrame *f = app->OpenEditor(Cmd::Valute);
    ASSERT_NE(f, nullptr);
    CEditableGrid *grid = f->findChild<CEditableGrid *>();
    ASSERT_NE(grid, nullptr);
    const int row = grid->rowCount() - 1;  // the blank row for a new currency
    grid->setCellText(row, CurrencyTable::Simbolo, QStringLiteral("Fr"));
    grid->setCurrentCell(row, CurrencyTable::Simbolo);
    grid->table()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(scripted->messageTexts(), QStringList{QStringLiteral("Campo obbligatorio!")});
    EXPECT_EQ(grid->currentRow(), row);
    EXPECT_EQ(grid->currentColumn(), int(CurrencyTable::Nome));
    scripted->clearCalls();
    // Typing goes to that field; Ctrl+S from the open cell stores the row.
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Franco svizzero"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(scripted->messageTexts().isEmpty()) << scripted->messageTexts().join('|').toStdString();
    EXPECT_EQ(scalarText(project.folder().database(), "SELECT Simbolo FROM Valute WHERE Nome='Franco svizzero'"),
              QStringLiteral("Fr"));
    f->close();
}

TEST_F(MainFrameTest, EditorWindowsResizeMaximiseAndRememberTheirSize)
{
    CChildFrame *f = app->OpenEditor(Cmd::Dizionario);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(f->windowFlags() & Qt::MSWindowsFixedSizeDialogHint);
    f->resize(610, 430);
    ASSERT_TRUE(f->close());
    QCoreApplication::processEvents();

    f = app->OpenEditor(Cmd::Dizionario);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->size(), QSize(610, 430));
    f->showMaximized();
    ASSERT_TRUE(f->close());
    QCoreApplication::processEvents();
    f = app->OpenEditor(Cmd::Dizionario);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->isMaximized());
    f->showNormal();
    f->close();
}

TEST_F(MainFrameTest, GridEditorsShowAllTheirColumnsAt1280x800)
{
    frame().resize(1280, 800);
    frame().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame()));
    for (int id : {Cmd::ProdottiTabella, Cmd::Lingue, Cmd::Valute}) {
        CChildFrame *f = app->OpenEditor(id);
        ASSERT_NE(f, nullptr) << id;
        QCoreApplication::processEvents();
        const auto grids = f->findChildren<CEditableGrid *>();
        ASSERT_FALSE(grids.isEmpty()) << id;
        QTableWidget *table = grids.first()->table();
        ASSERT_TRUE(QTest::qWaitFor([&] { return table->viewport()->width() > 0; }, 3000));
        const int last = table->columnCount() - 1;
        EXPECT_LE(table->columnViewportPosition(last) + table->columnWidth(last), table->viewport()->width())
            << f->windowTitle().toStdString();
        EXPECT_EQ(table->horizontalScrollBar()->maximum(), 0) << f->windowTitle().toStdString();
        // A larger window gives the grid the room.
        const int before = table->viewport()->width();
        f->showMaximized();
        (void)QTest::qWaitFor([&] { return table->viewport()->width() > before; }, 3000);
        EXPECT_GT(table->viewport()->width(), before) << f->windowTitle().toStdString();
        f->showNormal();
        ASSERT_TRUE(f->close());
        QCoreApplication::processEvents();
    }
}

#include "MainFrameTest.moc"

TEST_F(MainFrameTest, EveryOfferedEditorOpensWithItsTitleAndCloses)
{
    for (const AppCommand &c : appCommands()) {
        // The preview frame starts the web server on its fixed port; it has
        // tests of its own.
        if (!c.factory || c.id == Cmd::Anteprima)
            continue;
        CChildFrame *editor = app->OpenEditor(c.id);
        ASSERT_NE(editor, nullptr) << c.id;
        EXPECT_EQ(editor->windowTitle(), QString::fromUtf8(c.title)) << c.id;
        EXPECT_TRUE(app->isEditorOpen()) << c.id;
        EXPECT_TRUE(editor->close()) << c.id;
        QCoreApplication::processEvents();
        EXPECT_FALSE(app->isEditorOpen()) << c.id;
    }
}

TEST_F(MainFrameTest, VariantsOpenInASecondaryFrameThatKeepsTheEditorState)
{
    const QString db = project.folder().database();
    execSql(db, QStringLiteral("INSERT INTO Prodotti (ID, Codice, IDProdottoBase, Attivo) VALUES (1, 'BASE', 0, 1)"));
    execSql(db, QStringLiteral("INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Nome) "
                               "VALUES (1, 1, 'it', 'Sedia')"));
    CChildFrame *editor = app->OpenEditor(Cmd::ProdottiScheda);
    ASSERT_NE(editor, nullptr);
    frame().updateCommandUi();
    QAction *variants = frame().action(Cmd::ProductVariants);
    ASSERT_NE(variants, nullptr);
    ASSERT_TRUE(variants->isEnabled());
    variants->trigger();
    QCoreApplication::processEvents();

    const auto windows = frame().mdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 2);
    QMdiSubWindow *second = windows.at(0) == editor ? windows.at(1) : windows.at(0);
    EXPECT_EQ(second->windowTitle(), QStringLiteral("Gestione Varianti - Sedia"));
    EXPECT_TRUE(second->close());
    QCoreApplication::processEvents();
    EXPECT_TRUE(app->isEditorOpen());
    EXPECT_TRUE(editor->close());
    QCoreApplication::processEvents();
    EXPECT_FALSE(app->isEditorOpen());
}

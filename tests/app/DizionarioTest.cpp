#include "AppTestSupport.h"

#include "app/CChildFrame.h"
#include "editors/config/CDizionarioView.h"
#include "app/CommandIds.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace apptest;

class DizionarioTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(project.isValid());
        db = project.folder().database();
        execSql(db, "UPDATE Lingue SET Attivo=1 WHERE Codice='en'");
        execSql(db, "DELETE FROM DizionarioLin; DELETE FROM DizionarioGen;"
                    "INSERT INTO DizionarioGen (ID, Codice) VALUES (1, 'BENVENUTO'), (2, 'SALUTO');"
                    "INSERT INTO DizionarioLin (ID, IDCodice, CodiceLingua, Testo) VALUES"
                    " (1, 1, 'it', 'Benvenuto'), (2, 1, 'en', 'Welcome'), (3, 2, 'it', 'Ciao');");
        ASSERT_TRUE(startOn(project.path()));
        frameWindow = app->OpenEditor(Cmd::Dizionario);
        ASSERT_NE(frameWindow, nullptr);
        view = qobject_cast<CDizionarioView *>(frameWindow->view());
        ASSERT_NE(view, nullptr);
        scripted->clearCalls();
    }

    void selectLanguage(const QString &code)
    {
        QComboBox *box = frame().languageSelector();
        const int row = box->findData(code);
        box->setCurrentIndex(row);
        emit box->activated(row);
    }
    void selectCode(const QString &code)
    {
        const auto items = view->list()->findItems(code, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        view->list()->setCurrentItem(items.first());
    }
    int count(const QString &sql) { return scalarText(db, sql).toInt(); }

    TempProject project;
    QString db;
    CChildFrame *frameWindow = nullptr;
    CDizionarioView *view = nullptr;
};

TEST_F(DizionarioTest, ListAndTextsWithDefaultLanguageFallback)
{
    ASSERT_EQ(view->list()->count(), 2);
    EXPECT_TRUE(view->insertButton()->isEnabled());
    EXPECT_FALSE(view->saveButton()->isEnabled());
    selectCode(QStringLiteral("BENVENUTO"));
    EXPECT_FALSE(view->insertButton()->isEnabled());
    EXPECT_TRUE(view->deleteButton()->isEnabled());
    EXPECT_EQ(view->textEdit()->toPlainText(), QStringLiteral("Benvenuto"));
    selectLanguage(QStringLiteral("en"));
    EXPECT_EQ(view->textEdit()->toPlainText(), QStringLiteral("Welcome"));
    // SALUTO has no English text: the Italian one stands in.
    selectCode(QStringLiteral("SALUTO"));
    EXPECT_EQ(view->textEdit()->toPlainText(), QStringLiteral("Ciao"));
}

TEST_F(DizionarioTest, CodeRules)
{
    // Only letters and digits, at most 20, can be typed.
    typeText(view->codeEdit(), QStringLiteral("nuovo_codice 1234567890123456"));
    EXPECT_EQ(view->codeEdit()->text(), QStringLiteral("nuovocodice123456789"));

    view->codeEdit()->clear();
    view->insertEntry();
    EXPECT_EQ(scripted->lastMessage().title, QStringLiteral("Validazione campi"));
    EXPECT_EQ(scripted->lastMessage().text, QStringLiteral("Campo obbligatorio!"));

    // A lower-case copy of an existing code is the same code.
    view->codeEdit()->setText(QStringLiteral("saluto"));
    view->insertEntry();
    EXPECT_EQ(scripted->lastMessage().text, QStringLiteral("Codice voce già presente in archivio!"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM DizionarioGen"), 2);

    // Saving under the code of another entry is refused; its own code is fine.
    selectCode(QStringLiteral("SALUTO"));
    view->codeEdit()->setText(QStringLiteral("Benvenuto"));
    scripted->clearCalls();
    view->saveEntry();
    EXPECT_EQ(scripted->lastMessage().text, QStringLiteral("Codice voce già presente in archivio!"));
    view->codeEdit()->setText(QStringLiteral("saluto"));
    view->textEdit()->setPlainText(QStringLiteral("Ciao a tutti"));
    scripted->clearCalls();
    view->saveEntry();
    EXPECT_TRUE(scripted->messages().empty());
    EXPECT_EQ(scalarText(db, "SELECT Testo FROM DizionarioLin WHERE IDCodice=2 AND CodiceLingua='it'"),
              QStringLiteral("Ciao a tutti"));
    EXPECT_EQ(view->selectedId(), 0);
    EXPECT_TRUE(view->codeEdit()->text().isEmpty());
}

TEST_F(DizionarioTest, InsertOutsideTheDefaultLanguageCopiesTheText)
{
    selectLanguage(QStringLiteral("en"));
    view->codeEdit()->setText(QStringLiteral("grazie"));
    view->textEdit()->setPlainText(QStringLiteral("Thank you"));
    view->insertEntry();
    EXPECT_TRUE(scripted->messages().empty());
    EXPECT_EQ(scalarText(db, "SELECT ID FROM DizionarioGen WHERE Codice='GRAZIE'"),
              QStringLiteral("3"));
    EXPECT_EQ(scalarText(db, "SELECT Codice FROM DizionarioGen WHERE ID=3"), QStringLiteral("GRAZIE"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM DizionarioLin WHERE IDCodice=3 AND Testo='Thank you'"), 2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM DizionarioGen WHERE ID=3 AND Modificato=1"), 1);
    EXPECT_EQ(view->list()->count(), 3);

    // In the default language only one text is written.
    selectLanguage(QStringLiteral("it"));
    view->codeEdit()->setText(QStringLiteral("prego"));
    view->textEdit()->setPlainText(QStringLiteral("Prego"));
    view->insertEntry();
    EXPECT_EQ(count("SELECT COUNT(*) FROM DizionarioLin WHERE IDCodice=4"), 1);
}

TEST_F(DizionarioTest, SaveAddsTheTextOfANewLanguage)
{
    selectLanguage(QStringLiteral("en"));
    selectCode(QStringLiteral("SALUTO"));
    view->textEdit()->setPlainText(QStringLiteral("Hello"));
    view->saveEntry();
    EXPECT_EQ(scalarText(db, "SELECT Testo FROM DizionarioLin WHERE IDCodice=2 AND CodiceLingua='en'"),
              QStringLiteral("Hello"));
    EXPECT_EQ(scalarText(db, "SELECT Testo FROM DizionarioLin WHERE IDCodice=2 AND CodiceLingua='it'"),
              QStringLiteral("Ciao"));
}

TEST_F(DizionarioTest, DeleteAsksAndTakesTheTextsAlong)
{
    selectCode(QStringLiteral("BENVENUTO"));
    scripted->queueAnswer(UiPort::Answer::No);
    view->deleteEntry();
    EXPECT_EQ(scripted->lastMessage().title, QStringLiteral("Cancellazione voce dizionario"));
    EXPECT_EQ(scripted->lastMessage().text, QStringLiteral("Confermi ?"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM DizionarioGen"), 2);

    selectCode(QStringLiteral("SALUTO"));
    scripted->queueAnswer(UiPort::Answer::Yes);
    view->deleteEntry();
    EXPECT_EQ(count("SELECT COUNT(*) FROM DizionarioGen WHERE ID=2"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM DizionarioLin WHERE IDCodice=2"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='DizionarioGen' AND IDRecord=2"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='DizionarioLin'"), 1);
    EXPECT_EQ(view->list()->count(), 1);
    EXPECT_TRUE(view->insertButton()->isEnabled());

    // The next entry takes the freed ID and must not inherit the old texts.
    view->codeEdit()->setText(QStringLiteral("ALTRO"));
    view->textEdit()->setPlainText(QStringLiteral("Altro"));
    view->insertEntry();
    EXPECT_EQ(scalarText(db, "SELECT ID FROM DizionarioGen WHERE Codice='ALTRO'"), QStringLiteral("2"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM DizionarioLin WHERE IDCodice=2"), 1);
}

#include "AppTestSupport.h"

#include "app/CInformazioniDlg.h"
#include "app/CNuovoProgettoDlg.h"
#include "app/CProgettiDlg.h"
#include "app/CSelezioneDirectoryDlg.h"
#include "app/QtUiPort.h"
#include "common/Screenshots.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

using namespace apptest;

namespace {

// Answers the next message box shown by pressing one of its buttons, after
// noting its icon and buttons.
struct BoxAnswerer {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QString title;
    QStringList buttonTexts;

    void pressNext(QMessageBox::StandardButton press)
    {
        QTimer::singleShot(0, [this, press] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            icon = box->icon();
            buttons = box->standardButtons();
            title = box->windowTitle();
            buttonTexts.clear();
            for (QAbstractButton *b : box->buttons())
                buttonTexts << b->text().remove(QLatin1Char('&'));
            box->button(press)->click();
        });
    }
};

} // namespace

TEST(QtUiPortTest, MessageIconsButtonsAndAnswers)
{
    QtUiPort port;
    BoxAnswerer answerer;

    answerer.pressNext(QMessageBox::No);
    EXPECT_EQ(port.message(QStringLiteral("Aggiornamento sito"), QStringLiteral("?"),
                           UiPort::Icon::Exclamation, UiPort::Buttons::YesNo),
              UiPort::Answer::No);
    EXPECT_EQ(answerer.icon, QMessageBox::Warning);
    EXPECT_EQ(answerer.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(answerer.title, QStringLiteral("Aggiornamento sito"));
    // Qt's own buttons speak Italian.
    EXPECT_TRUE(answerer.buttonTexts.contains(QStringLiteral("Sì"))) << answerer.buttonTexts.join(',').toStdString();
    EXPECT_FALSE(answerer.buttonTexts.contains(QStringLiteral("Yes")));

    answerer.pressNext(QMessageBox::Ok);
    port.tell(QStringLiteral("t"), QStringLiteral("x"), UiPort::Icon::Stop);
    EXPECT_EQ(answerer.icon, QMessageBox::Critical);

    answerer.pressNext(QMessageBox::Ok);
    port.tell(QStringLiteral("t"), QStringLiteral("x"), UiPort::Icon::Information);
    EXPECT_EQ(answerer.icon, QMessageBox::Information);

    answerer.pressNext(QMessageBox::Yes);
    EXPECT_TRUE(port.ask(QStringLiteral("t"), QStringLiteral("x")));
    EXPECT_EQ(answerer.icon, QMessageBox::Question);

    answerer.pressNext(QMessageBox::Retry);
    EXPECT_EQ(port.message(QStringLiteral("t"), QStringLiteral("x"), UiPort::Icon::Stop,
                           UiPort::Buttons::RetryCancel),
              UiPort::Answer::Retry);
}

TEST(QtUiPortTest, FolderChooserChecksTheTypedPath)
{
    ScopedScriptedUi scripted;
    TempDir base;
    CSelezioneDirectoryDlg dlg(QStringLiteral("Selezione directory"),
                               QStringLiteral("Scegli la directory per il nuovo progetto"),
                               base.path(), true);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Selezione directory"));
    EXPECT_TRUE(dlg.typingBox()->isVisibleTo(&dlg));
    // A folder ending in a point is not a valid name; the chooser stays.
    dlg.typingBox()->setText(base.path() + QStringLiteral("/nome."));
    dlg.accept();
    EXPECT_NE(dlg.result(), int(QDialog::Accepted));
    EXPECT_EQ(scripted->lastMessage().icon, UiPort::Icon::Exclamation);
    // A missing folder is created once the user agrees.
    dlg.typingBox()->setText(base.path() + QStringLiteral("/a/b"));
    scripted->queueAnswer(UiPort::Answer::Yes);
    dlg.accept();
    EXPECT_EQ(dlg.result(), int(QDialog::Accepted));
    EXPECT_TRUE(QFileInfo(base.path() + QStringLiteral("/a/b")).isDir());
    EXPECT_EQ(dlg.folder(), base.path() + QStringLiteral("/a/b"));
}

TEST(QtUiPortTest, ScreenshotsOfTheDialogs)
{
    auto shoot = [&](QWidget &w, const char *name) {
        EXPECT_TRUE(saveScreenshot(w, QLatin1String(name)));
        w.hide();
    };
    CProgettiDlg progetti({QStringLiteral("/home/negozio/progetti/scarpe"),
                           QStringLiteral("/home/negozio/progetti/borse")});
    shoot(progetti, "progetti.png");
    TempDir base;
    CNuovoProgettoDlg nuovo(base.path());
    nuovo.nameEdit()->setText(QStringLiteral("negozio"));
    shoot(nuovo, "nuovoprogetto.png");
    CSelezioneDirectoryDlg chooser(QStringLiteral("Selezione directory"),
                                   QStringLiteral("Scegli la directory per il nuovo progetto"),
                                   base.path(), true);
    shoot(chooser, "selezionedirectory.png");
    CInformazioniDlg about;
    shoot(about, "informazioni.png");
}

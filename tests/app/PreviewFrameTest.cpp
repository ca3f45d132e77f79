#include "AppTestSupport.h"

#include "app/preview/CBrowserView.h"
#include "app/preview/CPreviewFrame.h"
#include "project/ProjectFolder.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CommandIds.h"
#include "data/DataError.h"
#include "data/DatabaseFiles.h"

#include <QAction>
#include <QMdiArea>

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

#include <memory>

using namespace apptest;

namespace {

// Fetches a URL while the event loop serves it; empty on failure.
QByteArray fetch(const QString &url)
{
    QNetworkAccessManager manager;
    QNetworkReply *reply = manager.get(QNetworkRequest(QUrl(url)));
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    const QByteArray body = reply->error() == QNetworkReply::NoError ? reply->readAll() : QByteArray();
    reply->deleteLater();
    return body;
}

} // namespace

using PreviewFrameTest = AppFixture;

TEST_F(PreviewFrameTest, ServesTheSiteAndDiscardsDatabaseChangesWhenClosed)
{
    TempProject project;
    ASSERT_TRUE(startOn(project.path()));
    const ProjectFolder folder(project.path());
    ASSERT_TRUE(testtools::writeFile(folder.path() + QStringLiteral("/website/asp/prova.asp"),
                                     "<% x = 6 * 7 %>Risposta: <%= x %>"));
    const QString before = scalarText(folder.database(), QStringLiteral("SELECT COUNT(*) FROM Lingue"));

    std::unique_ptr<CPreviewFrame> frame(CPreviewFrame::open(
        project.path(),
        CPreviewFrame::DatabaseCopy{[&] { return app->BackupDatabase(); },
                                    [&] { return app->RestoreDatabase(); }},
        nullptr, quint16(0)));
    ASSERT_TRUE(frame);
    EXPECT_TRUE(QFile::exists(folder.path() + QStringLiteral("/db/backup.mdb")));
    ASSERT_TRUE(frame->view()->startError().isEmpty()) << frame->view()->startError().toStdString();
    EXPECT_TRUE(frame->view()->address().startsWith(QStringLiteral("http://127.0.0.1:")));

    EXPECT_EQ(fetch(frame->view()->address() + QStringLiteral("/prova.asp")), QByteArray("Risposta: 42"));

    // What is written while the preview is open goes when it closes.
    execSql(folder.database(), QStringLiteral("INSERT INTO Lingue (ID, Codice, Descrizione, Attivo) "
                                              "VALUES (99, 'xx', 'Prova', 0)"));
    frame.reset();
    EXPECT_FALSE(QFile::exists(folder.path() + QStringLiteral("/db/backup.mdb")));
    EXPECT_EQ(scalarText(folder.database(), QStringLiteral("SELECT COUNT(*) FROM Lingue")), before);
}

TEST_F(PreviewFrameTest, NoPreviewOpensWhenTheDatabaseCannotBeBackedUp)
{
    TempProject project;
    ASSERT_TRUE(startOn(project.path()));
    scripted->clearCalls();
    // The copy fails half-way, as on a full disk.
    DatabaseFiles::setStepHook([](int) { throw DataError(QStringLiteral("disco pieno"), QString()); });
    CChildFrame *frame = app->OpenEditor(Cmd::Anteprima);
    DatabaseFiles::setStepHook(nullptr);

    EXPECT_EQ(frame, nullptr);
    EXPECT_TRUE(app->mainFrame()->mdiArea()->subWindowList().isEmpty());
    EXPECT_FALSE(app->isEditorOpen());
    ASSERT_EQ(scripted->messages().size(), 1u);
    EXPECT_TRUE(scripted->lastMessage().text.startsWith(QStringLiteral("Impossibile creare la copia di sicurezza del database")))
        << scripted->lastMessage().text.toStdString();
    EXPECT_EQ(scripted->lastMessage().icon, UiPort::Icon::Stop);
    // The project stays open and usable; no copy is left to be put back later.
    EXPECT_TRUE(app->isProjectOpen());
    EXPECT_FALSE(QFile::exists(project.folder().backup()));
    EXPECT_TRUE(app->mainFrame()->action(Cmd::Anteprima)->isEnabled());
}

#ifndef ZANFIRA_HAVE_WEBENGINE
TEST_F(PreviewFrameTest, WithoutTheEmbeddedBrowserTheSystemBrowserOpensAtOnce)
{
    TempProject project;
    ASSERT_TRUE(startOn(project.path()));
    QStringList opened;
    CBrowserView::setSystemBrowser([&](const QUrl &url) { opened << url.toString(); return true; });
    std::unique_ptr<CPreviewFrame> frame(CPreviewFrame::open(
        project.path(), {[&] { return app->BackupDatabase(); }, [&] { return app->RestoreDatabase(); }},
        nullptr, quint16(0)));
    ASSERT_TRUE(frame);
    QCoreApplication::processEvents();
    EXPECT_EQ(opened, QStringList{frame->view()->address()});
    frame.reset();
    CBrowserView::setSystemBrowser(nullptr);
}
#endif

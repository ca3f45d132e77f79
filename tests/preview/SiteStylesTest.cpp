#include "PreviewTestSupport.h"
#include "TempProject.h"

#include "preview/WebServer.h"

#include <QDirIterator>

#include <gtest/gtest.h>

using namespace preview;

namespace {

QString stylesFolder()
{
    return QStringLiteral(ZANFIRA_SOURCE_DIR "/tests/preview/site-styles");
}

} // namespace

// Pages written the ways real sites write them (LF and CR line ends,
// "<%=x%>", directives with blanks, code around includes, "<%" in comments,
// names in other letter case, server script blocks), served by the real
// server: each renders as the server the sites were written for renders it.
TEST(SiteStyles, EveryPageRendersAsExpected)
{
    TempProject project;
    const QString asp = project.folder().file(QStringLiteral("website/asp"));
    int pages = 0;
    QDirIterator it(stylesFolder(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = QDir(stylesFolder()).relativeFilePath(source);
        QFile in(source);
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        writeFile(asp + QLatin1Char('/') + relative, in.readAll());
    }
    WebServer server;
    server.setPort(0);
    server.serveProject(project.folder().file(QStringLiteral("website")), asp,
                        project.folder().file(QStringLiteral("db")),
                        project.folder().file(QStringLiteral("website/images")));
    ASSERT_TRUE(server.start());
    const QStringList names = QDir(asp).entryList({QStringLiteral("*.asp")}, QDir::Files);
    for (const QString &name : names) {
        QFile expected(stylesFolder() + QLatin1Char('/') + QFileInfo(name).completeBaseName()
                       + QStringLiteral(".expected"));
        ASSERT_TRUE(expected.open(QIODevice::ReadOnly)) << name.toStdString();
        RawClient client;
        ASSERT_TRUE(client.connectTo(server.port()));
        client.send("GET /" + name.toUtf8() + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
        const auto answer = client.answer();
        ASSERT_TRUE(answer) << name.toStdString();
        EXPECT_EQ(answer->status, 200) << name.toStdString();
        EXPECT_EQ(answer->body, expected.readAll()) << name.toStdString();
        ++pages;
    }
    EXPECT_GE(pages, 6);
}

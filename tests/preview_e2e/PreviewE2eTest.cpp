// End to end: `zanfira-cli preview` on a temporary project, pages read by
// headless Chromium. Labelled "slow"; skipped when Chromium is missing.
#include "TempProject.h"

#include "data/Database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>

#include <csignal>

#include <gtest/gtest.h>

namespace {

const QString kChromium = QStringLiteral("/usr/bin/chromium");

void writePage(const TempProject &p, const QString &name, const QByteArray &content)
{
    QFile f(p.folder().file(QStringLiteral("website/asp/") + name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// The DOM Chromium builds for the address, after scripts ran.
QString dumpDom(const QString &url)
{
    QTemporaryDir profile;
    QProcess chromium;
    chromium.start(kChromium, {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                               QStringLiteral("--disable-gpu"), QStringLiteral("--disable-background-networking"),
                               QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
                               QStringLiteral("--no-first-run"),
                               QStringLiteral("--user-data-dir=") + profile.path(),
                               QStringLiteral("--dump-dom"), url});
    if (!chromium.waitForFinished(90000)) {
        chromium.kill();
        chromium.waitForFinished();
    }
    return QString::fromUtf8(chromium.readAllStandardOutput());
}

int countProducts(const QString &database)
{
    Database db(database);
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti")).toInt();
}

} // namespace

TEST(PreviewEndToEnd, BrowserReadsPagesPostsFormsAndKeepsTheSession)
{
    if (!QFileInfo::exists(kChromium))
        GTEST_SKIP() << "Chromium non installato: " << kChromium.toStdString();
    TempProject project;
    ASSERT_TRUE(project.isValid());
    {
        Database db(project.folder().database());
        db.executeNative(QStringLiteral("INSERT INTO Prodotti (ID, Codice) VALUES (1, 'SEDIA'), (2, 'TAVOLO');"));
    }
    const QByteArray connect =
        "<% Set conn = Server.CreateObject(\"ADODB.Connection\")\r\n"
        "conn.Open \"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\" & Server.MapPath(\"/db/database.mdb\") %>\r\n";
    writePage(project, QStringLiteral("prodotti.asp"),
              connect + "<ul id=\"p\"><% Set rs = conn.Execute(\"SELECT Codice FROM Prodotti ORDER BY ID\")\r\n"
                        "Do While Not rs.EOF %><li><%= rs(\"Codice\") %></li><% rs.MoveNext : Loop %></ul>\r\n"
                        "<% conn.Execute \"DELETE FROM Prodotti\" %>");
    writePage(project, QStringLiteral("ricevi.asp"),
              "<% Session(\"nome\") = Request.Form(\"nome\") %>ricevuto:<%= Request.Form(\"nome\") %>");
    writePage(project, QStringLiteral("modulo.asp"),
              "<html><body><form method=\"post\" action=\"ricevi.asp\"><input name=\"nome\" value=\"Giulia R\"></form>"
              "<p id=\"r\"></p><script>\r\n"
              "var f = new FormData(document.forms[0]);\r\n"
              "var x = new XMLHttpRequest(); x.open('POST', '/ricevi.asp', false);\r\n"
              "x.setRequestHeader('Content-Type', 'application/x-www-form-urlencoded');\r\n"
              "x.send(new URLSearchParams(f).toString());\r\n"
              "document.getElementById('r').textContent = x.responseText;\r\n"
              "</script></body></html>");
    writePage(project, QStringLiteral("sessione.asp"), "<p id=\"s\">sessione:<%= Session(\"nome\") %></p>");

    const quint16 port = freePort();
    QProcess cli;
    cli.setProcessChannelMode(QProcess::MergedChannels);
    cli.start(QStringLiteral(ZANFIRA_CLI), {QStringLiteral("preview"), project.path(), QStringLiteral("--port"),
                                            QString::number(port)});
    ASSERT_TRUE(cli.waitForStarted());
    QByteArray banner;
    while (!banner.contains("127.0.0.1") && cli.waitForReadyRead(10000))
        banner += cli.readAll();
    ASSERT_TRUE(banner.contains(QByteArray::number(port))) << banner.toStdString();
    EXPECT_TRUE(QFileInfo::exists(project.folder().backup()));

    const QString base = QStringLiteral("http://127.0.0.1:%1/").arg(port);
    const QString products = dumpDom(base + QStringLiteral("prodotti.asp"));
    EXPECT_TRUE(products.contains(QStringLiteral("<li>SEDIA</li><li>TAVOLO</li>"))) << products.toStdString();
    EXPECT_EQ(countProducts(project.folder().database()), 0);  // the page emptied the table

    const QString form = dumpDom(base + QStringLiteral("modulo.asp"));
    EXPECT_TRUE(form.contains(QStringLiteral("<p id=\"r\">ricevuto:Giulia R</p>"))) << form.toStdString();
    const QString session = dumpDom(base + QStringLiteral("sessione.asp"));
    EXPECT_TRUE(session.contains(QStringLiteral("sessione:Giulia R"))) << session.toStdString();

    cli.terminate();  // SIGTERM
    ASSERT_TRUE(cli.waitForFinished(15000));
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAll().toStdString();
    // What the previewed pages wrote is gone; the backup is back in place.
    EXPECT_FALSE(QFileInfo::exists(project.folder().backup()));
    EXPECT_EQ(countProducts(project.folder().database()), 2);
}

TEST(PreviewEndToEnd, InterruptRestoresTheDatabase)
{
    TempProject project;
    ASSERT_TRUE(project.isValid());
    const quint16 port = freePort();
    QProcess cli;
    cli.start(QStringLiteral(ZANFIRA_CLI), {QStringLiteral("preview"), project.path(), QStringLiteral("--port"),
                                            QString::number(port)});
    ASSERT_TRUE(cli.waitForStarted());
    QByteArray banner;
    while (!banner.contains("127.0.0.1") && cli.waitForReadyRead(10000))
        banner += cli.readAll();
    ASSERT_TRUE(QFileInfo::exists(project.folder().backup()));
    {
        Database db(project.folder().database());
        db.executeNative(QStringLiteral("INSERT INTO Prodotti (ID, Codice) VALUES (5, 'X');"));
    }
    ::kill(pid_t(cli.processId()), SIGINT);
    ASSERT_TRUE(cli.waitForFinished(15000));
    EXPECT_EQ(cli.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(project.folder().backup()));
    EXPECT_EQ(countProducts(project.folder().database()), 0);

    // A port already taken: the verb fails and leaves the database as it was.
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::LocalHost, 0));
    QProcess busy;
    busy.start(QStringLiteral(ZANFIRA_CLI), {QStringLiteral("preview"), project.path(), QStringLiteral("--port"),
                                             QString::number(taken.serverPort())});
    ASSERT_TRUE(busy.waitForFinished(15000));
    EXPECT_EQ(busy.exitCode(), 1);
    EXPECT_FALSE(QFileInfo::exists(project.folder().backup()));
}

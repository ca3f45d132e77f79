#include "TempDir.h"
#include "data/Database.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

struct GenerateRun {
    int code = -1;
    QString out;
    QString err;
};

GenerateRun runGenerate(const TempDir &home, const QString &project)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.file(QStringLiteral(".config")));
    env.insert(QStringLiteral("ZANFIRA_HOME"), QStringLiteral(ZANFIRA_PROGRAM_FOLDER));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(ZANFIRA_CLI), {QStringLiteral("generate"), project});
    GenerateRun r;
    if (!p.waitForFinished(60000))
        return r;
    r.code = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A project folder with the blank template database, whose page gets one
// block with a class.
QString makeProject(const TempDir &home)
{
    const QString project = home.file(QStringLiteral("shop"));
    QDir().mkpath(project + QStringLiteral("/db"));
    const QString templ = project + QStringLiteral("/db/progettografico.mdb");
    QFile::copy(QStringLiteral(ZANFIRA_PROGRAM_FOLDER "/db/progettografico.mdb"), templ);
    QFile::setPermissions(templ, QFile::ReadOwner | QFile::WriteOwner);
    Database db(templ);
    db.execute(QStringLiteral(
        "INSERT INTO CodiceASP (ID, IDCategoria, IDPadre, Ordine, Attivo, Codice, Condiviso, Tipo)"
        " VALUES (50, 1, 1, 50, TRUE, '<p class=\"Riquadro\">Caff\u00e8 \u20ac</p>', FALSE, 1)"));
    db.execute(QStringLiteral(
        "INSERT INTO ClassiCSS (ID, IDCodiceASP, Ordine, NomeCSS) VALUES (60, 50, 60, '.Riquadro')"));
    db.execute(QStringLiteral(
        "INSERT INTO AttributiCSS (ID, IDClasse, IDAttributo, Valore) VALUES (70, 60, 0, '120')"));
    return project;
}

} // namespace

TEST(CliGenerateTest, RebuildsPagesAndStylesheets)
{
    TempDir home;
    const QString project = makeProject(home);
    const GenerateRun r = runGenerate(home, project);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Scritto: website/asp/default.asp"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Scritto: website/images/stile.css")));
    const QByteArray page = readFile(project + QStringLiteral("/website/asp/default.asp"));
    EXPECT_TRUE(page.contains("<p class=\"Riquadro60\">Caff\xc3\xa8 \xe2\x82\xac</p>\r\n"));
    EXPECT_TRUE(page.contains("<link rel=\"stylesheet\" href=\"/images/stile.css\" type=\"text/css\">\r\n"));
    EXPECT_FALSE(page.contains("##"));
    EXPECT_TRUE(readFile(project + QStringLiteral("/website/images/stile.css"))
                    .contains(".Riquadro60\r\n{\r\n\twidth: 120px;\r\n}\r\n"));
}

TEST(CliGenerateTest, UnwritableFileIsReportedOnceAndTheRestIsWritten)
{
    TempDir home;
    const QString project = makeProject(home);
    QDir().mkpath(project + QStringLiteral("/website/images/stile.css/x"));
    const GenerateRun r = runGenerate(home, project);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.count(QStringLiteral("Impossibile scrivere il file")), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("stile.css")));
    EXPECT_TRUE(QFile::exists(project + QStringLiteral("/website/asp/default.asp")));
}

TEST(CliGenerateTest, ProjectWithoutTemplateDatabaseFails)
{
    TempDir home;
    const QString project = home.file(QStringLiteral("empty"));
    QDir().mkpath(project + QStringLiteral("/db"));
    const GenerateRun r = runGenerate(home, project);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("non ha un database del modello grafico"))) << r.err.toStdString();
}

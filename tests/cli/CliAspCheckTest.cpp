#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct CheckRun {
    int code = -1;
    QStringList lines;
};

CheckRun aspCheck(const QString &folder)
{
    QProcess p;
    p.start(QStringLiteral(ZANFIRA_CLI), {QStringLiteral("asp-check"), folder});
    CheckRun r;
    if (!p.waitForFinished(60000))
        return r;
    r.code = p.exitCode();
    r.lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return r;
}

void write(const TempDir &dir, const QString &name, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(dir.file(name)).absolutePath());
    QFile f(dir.file(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

} // namespace

TEST(CliAspCheck, PagesOfEveryStyleCompile)
{
    const CheckRun r = aspCheck(QStringLiteral(ZANFIRA_SOURCE_DIR "/tests/preview/site-styles"));
    EXPECT_EQ(r.code, 0) << r.lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(r.lines.contains(QStringLiteral("lf-include.asp: ok")));
    EXPECT_TRUE(r.lines.contains(QStringLiteral("inc/testata.inc: ok")));
    EXPECT_EQ(r.lines.last(), QStringLiteral("Totale: 8 pagine, 8 compilate, 0 con errori"));
}

TEST(CliAspCheck, NamesTheFirstProblemOfEachPageWithItsFileAndLine)
{
    TempDir dir;
    write(dir, QStringLiteral("inc/rotto.inc"), "<%\nIf a Then\n  b = (1\nEnd If\n%>");
    write(dir, QStringLiteral("pagina.asp"), "testo\r\n<!-- #include file=\"inc/rotto.inc\" -->\r\n<% x = 1 %>");
    write(dir, QStringLiteral("manca.asp"), "<!-- #include virtual=\"/nessuno.inc\" --><% If Then %>");
    write(dir, QStringLiteral("buona.asp"), "<%=1%>");
    const CheckRun r = aspCheck(dir.path());
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.lines.value(0), QStringLiteral("buona.asp: ok"));
    EXPECT_TRUE(r.lines.value(1).startsWith(
        QStringLiteral("inc/rotto.inc: Errore di compilazione di VBScript '800a03ee'")))
        << r.lines.value(1).toStdString();
    EXPECT_TRUE(r.lines.value(1).endsWith(QStringLiteral("(inc/rotto.inc, riga 3)")));
    EXPECT_EQ(r.lines.value(2),
              QStringLiteral("manca.asp: File di inclusione non trovato: /nessuno.inc (manca.asp, riga 1)"));
    EXPECT_TRUE(r.lines.value(3).startsWith(QStringLiteral("pagina.asp: Errore di compilazione")));
    EXPECT_TRUE(r.lines.value(3).endsWith(QStringLiteral("(inc/rotto.inc, riga 3)")));
    EXPECT_EQ(r.lines.value(4), QStringLiteral("Totale: 4 pagine, 1 compilate, 3 con errori"));
}

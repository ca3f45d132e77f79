#include "ImportTestProject.h"
#include "ScriptedUiPort.h"
#include "catalogue/import/AutomaticImport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(AutomaticImportTest, ImportsGFilesInNameOrderAndRenamesThem)
{
    ImportTestProject p;
    const QString folder = p.tempDir().file(QStringLiteral("esterni"));
    ASSERT_TRUE(QDir().mkpath(folder));
    auto write = [&](const char *name, const QByteArray &text) {
        QFile f(folder + QLatin1Char('/') + QLatin1String(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    };
    write("g002.txt", "12;A;Seconda;Seconda;2.00;20;\n12;B;Bi;Bi;1.00;20;\n");
    write("G001.TXT", "12;A;Prima;Prima;1.00;20;\n");
    write("altro.txt", "non importato");
    write("g003.dat", "non importato");
    EXPECT_EQ(AutomaticImport::pendingFiles(folder).size(), 2);

    AutomaticImport import(p.path(), folder);
    const AutomaticImport::Result r = import.run();
    ASSERT_TRUE(r.ok()) << r.last.detail.toStdString();
    ASSERT_EQ(r.imported.size(), 2);
    EXPECT_TRUE(r.imported[0].endsWith(QLatin1String("G001.TXT")));
    // The later file wins: name order was kept.
    EXPECT_EQ(p.value(QStringLiteral("SELECT Nome FROM ProdottiLingue l JOIN Prodotti p ON p.ID=l.IDProdotto WHERE p.Codice='A'")).toString(),
              QStringLiteral("Seconda"));
    EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM Prodotti")), 2);
    const QStringList left = QDir(folder).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(left, (QStringList{"G001.TXT.ok", "altro.txt", "g002.txt.ok", "g003.dat"}));
    EXPECT_TRUE(AutomaticImport::pendingFiles(folder).isEmpty());

    ScopedScriptedUi ui;
    AutomaticImport::tellResult(r);
    EXPECT_EQ(ui->lastMessage().text, ProductImport::SuccessText);
}

TEST(AutomaticImportTest, CancelledFileLeavesTheDatabaseAsBeforeThatFile)
{
    ImportTestProject p;
    const QString folder = p.tempDir().file(QStringLiteral("esterni"));
    ASSERT_TRUE(QDir().mkpath(folder));
    auto write = [&](const char *name, const QByteArray &text) {
        QFile f(folder + QLatin1Char('/') + QLatin1String(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    };
    write("g1.txt", "12;A;Prima;Prima;1.00;20;\n");
    write("g2.txt", "12;B;Bi;Bi;1.00;20;\n12;C;Ci;Ci;1.00;20;\n12;D;Di;Di;1.00;20;\n");
    write("g3.txt", "12;E;E;E;1.00;20;\n");

    AutomaticImport import(p.path(), folder);
    QByteArray beforeSecond;
    QStringList statuses;
    import.setProgress({[&](const QString &s) {
                            statuses << s;
                            if (s.startsWith(QLatin1String("g2.txt")) && beforeSecond.isEmpty())
                                beforeSecond = p.databaseHash();
                            // "Annulla" pressed while the second line of g2 runs.
                            if (s == QLatin1String("g2.txt - Import linea 2 / 3 in corso..."))
                                import.requestCancel();
                        },
                        nullptr, nullptr, nullptr});
    const AutomaticImport::Result r = import.run();
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.last.outcome, ProductImport::Outcome::Cancelled);
    EXPECT_EQ(r.imported.size(), 1);
    EXPECT_TRUE(r.failedFile.endsWith(QLatin1String("g2.txt")));
    EXPECT_EQ(statuses.first(), QStringLiteral("g1.txt - Import linea 1 / 1 in corso..."));
    ASSERT_FALSE(beforeSecond.isEmpty());
    EXPECT_EQ(p.databaseHash(), beforeSecond);
    EXPECT_EQ(p.count(QStringLiteral("SELECT COUNT(*) FROM Prodotti")), 1);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name), (QStringList{"g1.txt.ok", "g2.txt", "g3.txt"}));
    EXPECT_FALSE(p.tempLeft());
}

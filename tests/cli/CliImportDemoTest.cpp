#include "CliRun.h"
#include "TempDir.h"
#include "data/Database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTcpSocket>
#include <QThread>

#include <gtest/gtest.h>

namespace {

int count(Database &db, const QString &sql)
{
    return db.scalar(sql).toInt();
}

} // namespace

TEST(CliDemoTest, DemoProjectHoldsABilingualCatalogueWithPictures)
{
    TempDir home;
    const QString project = home.file(QStringLiteral("demo"));
    const CliRun r = runCli(home, {QStringLiteral("demo"), project});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();

    Database db(project + QStringLiteral("/db/database.mdb"), Database::OpenMode::ReadOnly);
    EXPECT_EQ(count(db, QStringLiteral("SELECT COUNT(*) FROM Lingue WHERE Attivo=TRUE AND Codice IN ('it','en')")), 2);
    // Three levels of categories, every one named in both languages.
    EXPECT_EQ(count(db, QStringLiteral("SELECT COUNT(*) FROM Categorie c WHERE IDCategoriaPadre IN "
                                       "(SELECT ID FROM Categorie WHERE IDCategoriaPadre IN (SELECT ID FROM Categorie WHERE IDCategoriaPadre=0))")), 12);
    EXPECT_EQ(count(db, QStringLiteral("SELECT COUNT(*) FROM CategorieLingue")), 2 * count(db, QStringLiteral("SELECT COUNT(*) FROM Categorie")));
    // Each with a code of its own, as the category editor would accept it.
    EXPECT_EQ(count(db, QStringLiteral("SELECT COUNT(DISTINCT Codice) FROM Categorie WHERE Codice<>''")),
              count(db, QStringLiteral("SELECT COUNT(*) FROM Categorie")));
    for (const QVariantList &row : db.queryRows(QStringLiteral("SELECT Codice FROM Categorie"))) {
        const QString code = row.value(0).toString();
        EXPECT_TRUE(code.size() <= 20 && code == code.toUpper() && code.at(0).isLetter()) << code.toStdString();
    }
    const int products = count(db, QStringLiteral("SELECT COUNT(*) FROM Prodotti"));
    EXPECT_GE(products, 40);
    EXPECT_GE(count(db, QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE IDProdottoBase<>0")), 4);
    EXPECT_GE(count(db, QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE Offerta=TRUE")), 4);
    EXPECT_GE(count(db, QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE IDTabellaTaglie<>0")), 8);
    EXPECT_GE(count(db, QStringLiteral("SELECT COUNT(*) FROM ProdottiColori")), 8);
    EXPECT_EQ(count(db, QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE Prezzo1>0")), 2 * products);
    EXPECT_EQ(count(db, QStringLiteral("SELECT COUNT(*) FROM ParoleChiave WHERE Tipo=1")), 2 * products);
    // Every product, variants included, sits in a leaf category.
    EXPECT_EQ(count(db, QStringLiteral("SELECT COUNT(DISTINCT IDProdotto) FROM CategorieProdotti")), products);
    // Keywords as the product editor writes them: code, "/", the words.
    const QString keywords = db.scalar(QStringLiteral("SELECT Keywords FROM ParoleChiave WHERE CodiceLingua='en' ORDER BY ID")).toString();
    EXPECT_TRUE(keywords.startsWith(QLatin1String("MAG001/crew neck"))) << keywords.toStdString();

    // Pictures at the configured widths, proportions kept.
    const int width = count(db, QStringLiteral("SELECT LarghezzaDettaglioProdotti FROM Configurazione"));
    const int thumb = count(db, QStringLiteral("SELECT LarghezzaIndiceProdotti FROM Configurazione"));
    const int id = count(db, QStringLiteral("SELECT MIN(ID) FROM Prodotti"));
    const QImage image(project + QStringLiteral("/website/images/prodotti/%1.jpg").arg(id));
    const QImage small(project + QStringLiteral("/website/images/prodotti/th/%1.jpg").arg(id));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), width);
    EXPECT_EQ(image.height(), width * 600 / 800);
    EXPECT_EQ(small.width(), thumb);
    const int colour = count(db, QStringLiteral("SELECT MIN(ID) FROM ProdottiColori"));
    for (const char *sub : {"colori", "colori/th", "colori/dettagli"})
        EXPECT_TRUE(QFileInfo::exists(project + QStringLiteral("/website/images/prodotti/%1/%2.jpg").arg(QLatin1String(sub)).arg(colour))) << sub;

    // A second run into the same folder refuses to overwrite it.
    EXPECT_EQ(runCli(home, {QStringLiteral("demo"), project}).code, 1);
}

// Sends one GET to the preview server on port and returns the whole answer.
static QByteArray httpGet(quint16 port, const QByteArray &target)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        QTcpSocket socket;
        socket.connectToHost(QStringLiteral("127.0.0.1"), port);
        if (!socket.waitForConnected(200)) {
            QThread::msleep(100);
            continue;
        }
        socket.write("GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
        QByteArray answer;
        while (socket.waitForReadyRead(5000))
            answer += socket.readAll();
        return answer;
    }
    return {};
}

TEST(CliDemoTest, DemoStorefrontShowsTheCatalogueInThePreview)
{
    TempDir home;
    const QString project = home.file(QStringLiteral("demo"));
    ASSERT_EQ(runCli(home, {QStringLiteral("demo"), project}).code, 0);
    ASSERT_TRUE(QFileInfo::exists(project + QStringLiteral("/website/asp/default.asp")));

    const quint16 port = quint16(20000 + QCoreApplication::applicationPid() % 20000);
    QProcess server;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    if (!env.contains(QStringLiteral("ZANFIRA_HOME")))
        env.insert(QStringLiteral("ZANFIRA_HOME"), QStringLiteral(ZANFIRA_PROGRAM_FOLDER));
    server.setProcessEnvironment(env);
    server.start(QStringLiteral(ZANFIRA_CLI),
                 {QStringLiteral("preview"), project, QStringLiteral("--port"), QString::number(port)});
    ASSERT_TRUE(server.waitForStarted());

    const QByteArray home_page = httpGet(port, "/");
    const QByteArray tshirts = httpGet(port, "/default.asp?lingua=en&categoria=3");
    server.terminate();
    server.waitForFinished(10000);

    EXPECT_TRUE(home_page.startsWith("HTTP/1.1 200")) << home_page.left(200).toStdString();
    EXPECT_TRUE(home_page.contains("Abbigliamento")) << home_page.toStdString();
    EXPECT_FALSE(home_page.contains("<p>Errore")) << home_page.toStdString();
    // The English names of the T-shirts category, with pictures and prices.
    EXPECT_TRUE(tshirts.contains("Crew-neck T-shirt")) << tshirts.toStdString();
    EXPECT_TRUE(tshirts.contains("/images/prodotti/th/")) << tshirts.toStdString();
    EXPECT_TRUE(tshirts.contains("14,90")) << tshirts.toStdString();
    EXPECT_FALSE(tshirts.contains("Maglietta girocollo"));
}

TEST(CliImportTest, ImportsHeadlessAndRefusesBadInput)
{
    TempDir home;
    const QString project = home.file(QStringLiteral("negozio"));
    ASSERT_EQ(runCli(home, {QStringLiteral("new"), project}).code, 0);
    {
        Database db(project + QStringLiteral("/db/database.mdb"));
        db.execute(QStringLiteral("INSERT INTO Categorie (ID, Ordine, IDCategoriaPadre) VALUES (12, 12, 0)"));
        db.execute(QStringLiteral("INSERT INTO Prodotti (ID, Ordine, Codice, Attivo, Modificato) VALUES (1, 1, 'OLD', TRUE, FALSE)"));
    }
    const QString file = home.file(QStringLiteral("listino.txt"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("ABC|Rose|Rose rosse|9.50|12|20|\nDEF|Tulipani|Tulipani gialli|4.00|12|10|\n");
    }
    CliRun r = runCli(home, {QStringLiteral("import"), project, file, QStringLiteral("--fields"),
                             QStringLiteral("codice,nome,descrizione-estesa,prezzo1,categoria,iva"),
                             QStringLiteral("--separator"), QStringLiteral("|"), QStringLiteral("--language"),
                             QStringLiteral("it"), QStringLiteral("--obsolete"), QStringLiteral("deactivate")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QLatin1String("Operazione effettuata con successo."))) << r.out.toStdString();
    {
        Database db(project + QStringLiteral("/db/database.mdb"), Database::OpenMode::ReadOnly);
        EXPECT_EQ(count(db, QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE Attivo=TRUE")), 2);
        EXPECT_EQ(count(db, QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE Codice='OLD' AND Attivo=FALSE")), 1);
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT DescrizioneEstesa FROM ProdottiLingue WHERE Nome='Tulipani'")).toString(),
                  QStringLiteral("Tulipani gialli"));
    }

    // The default fields with ";" do not fit this file: line 1 fails.
    r = runCli(home, {QStringLiteral("import"), project, file});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QLatin1String("ERRORE durante l'operazione alla linea 1."))) << r.err.toStdString();
    // A field list without a mandatory field, an unknown language, a bad option.
    EXPECT_EQ(runCli(home, {QStringLiteral("import"), project, file, QStringLiteral("--fields"), QStringLiteral("codice,nome,descrizione-breve")}).code, 2);
    EXPECT_EQ(runCli(home, {QStringLiteral("import"), project, file, QStringLiteral("--language"), QStringLiteral("de")}).code, 1);
    EXPECT_EQ(runCli(home, {QStringLiteral("import"), project, file, QStringLiteral("--obsolete"), QStringLiteral("forse")}).code, 2);
}

// The table classes: every class of the record-set library exists, names a
// real table, and every accessor names a real column of the declared type;
// the accessors read and write through the record-set layer.
#include "SchemaSupport.h"

#include "common/TempDir.h"
#include "data/Database.h"
#include "data/sets/CCategorieGenSet.h"
#include "data/sets/CCodiceASPSet.h"
#include "data/sets/CConfigurazioneSet.h"
#include "data/sets/CDizionarioGenSet.h"
#include "data/sets/CDizionarioLinSet.h"
#include "data/sets/CProdottiGeneraleSet.h"
#include "data/sets/CProdottiLingueSet.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <map>

using namespace schema_test;

namespace {

const QStringList kClasses = {
    "CArgomentiSet", "CArgomentiLingueSet", "CArticoliGenSet", "CArticoliLinSet",
    "CArticoliFilesSet", "CArticoliFilesLingueSet", "CArticoliLinkSet", "CArticoliLinkLingueSet",
    "CAttributiCSSSet", "CBannerSet", "CCategorieCodiciASPSet", "CCategorieGenSet",
    "CCategorieLinSet", "CCategorieProdottiSet", "CChiSiamoSet", "CClassiCSSSet", "CClientiSet",
    "CCodiceASPSet", "CCondizioniVenditaSet", "CConfigurazioneSet", "CCorrelazioniSet",
    "CDefCampiCustomSet", "CDizionarioGenSet", "CDizionarioLinSet", "CGruppiSet",
    "CInteressiSet", "CInteressiLingueSet", "CInteressiUtentiSet", "CInterventiForumSet",
    "CLingueSet", "CModuliSet", "CModuliLingueSet", "CModuliCampiSet", "CModuliCampiLingueSet",
    "CModuliOpzioniSet", "CModuliOpzioniLingueSet", "CNotificaClienteSet", "COTPRichiesteSet",
    "COTPRisposteSet", "COpzioniSet", "COrdiniGeneraleSet", "COrdiniDettaglioSet",
    "CParametriSet", "CParoleChiaveSet", "CPermessiSet", "CProdottiColoriSet",
    "CProdottiGeneraleSet", "CProdottiLingueSet", "CRecordsEliminatiSet", "CSSpedizioneSet",
    "CScontiProdottoSet", "CSezioniSet", "CSezioniLingueSet", "CSezioniArticoliSet",
    "CStatoOrdiniGeneraleSet", "CStatoOrdiniLingueSet", "CTemplateSet", "CTipoBannerSet",
    "CValoriTaglieSet", "CValuteSet"};

const std::map<QString, std::string> kDeclaredType = {
    {"INT", "INTEGER"}, {"BOOL", "BOOLEAN"}, {"REAL", "REAL"}, {"TEXT", "TEXT"}, {"DATE", "DATETIME"}};

QString header(const QString &cls)
{
    QFile f(QStringLiteral(ZANFIRA_SOURCE_DIR "/src/data/sets/") + cls + QStringLiteral(".h"));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

TEST(Sets, EveryAccessorNamesAColumnOfItsDeclaredType)
{
    auto project = openReadOnly(programDb("database.mdb"));
    auto templ = openReadOnly(programDb("progettografico.mdb"));
    std::map<std::string, std::map<std::string, std::string>> schema;  // table -> column -> type
    for (auto *db : {&project, &templ})
        for (const auto &t : tables(*db))
            for (const auto &c : columns(*db, t))
                schema[t][c.name] = c.type;

    const QRegularExpression tableRx(QStringLiteral("Table = \"(\\w+)\""));
    const QRegularExpression fieldRx(QStringLiteral("ZF_FIELD_(\\w+)\\((\\w+)\\)"));
    QStringList files = QDir(QStringLiteral(ZANFIRA_SOURCE_DIR "/src/data/sets"))
                            .entryList({QStringLiteral("C*Set.h")});
    for (const QString &cls : kClasses)
        EXPECT_TRUE(files.contains(cls + QStringLiteral(".h"))) << "missing class " << cls.toStdString();

    for (const QString &file : files) {
        const QString text = header(file.chopped(2));
        SCOPED_TRACE(file.toStdString());
        const auto table = tableRx.match(text);
        ASSERT_TRUE(table.hasMatch());
        const std::string t = table.captured(1).toStdString();
        ASSERT_TRUE(schema.count(t)) << "no table " << t;
        int fields = 0;
        for (auto it = fieldRx.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            const std::string column = m.captured(2).toStdString();
            ++fields;
            ASSERT_TRUE(schema[t].count(column)) << t << " has no column " << column;
            EXPECT_EQ(schema[t][column], kDeclaredType.at(m.captured(1))) << t << "." << column;
        }
        EXPECT_GT(fields, 0);
    }
}

class SetsOnBlankDatabase : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.open(writableCopy("database.mdb", dir.path()));
    }
    TempDir dir;
    Database db;
};

TEST_F(SetsOnBlankDatabase, ReadsTheSeedThroughTypedAccessors)
{
    CConfigurazioneSet config(db);
    config.open();
    ASSERT_FALSE(config.isEOF());
    EXPECT_EQ(config.VersioneDB(), 50);
    EXPECT_EQ(config.IDValutaListino(), 1);
    EXPECT_TRUE(config.PrezziIVACompresa());
    EXPECT_DOUBLE_EQ(config.IVASpedizione(), 22.0);

    CDizionarioGenSet gen(db);
    gen.open();
    ASSERT_TRUE(gen.findFirst(QStringLiteral("Codice='pmtintestazionesms'")));
    CDizionarioLinSet lin(db);
    lin.setFilter(QStringLiteral("IDCodice=%1 AND CodiceLingua='it'").arg(gen.ID()));
    lin.open();
    ASSERT_FALSE(lin.isEOF());
    EXPECT_FALSE(lin.Testo().isEmpty());
}

TEST_F(SetsOnBlankDatabase, WritesEveryKindOfField)
{
    CProdottiGeneraleSet product(db);
    product.open();
    product.addNew();
    product.setID(7);
    product.setCodice(QStringLiteral("D'ANGELO-01"));
    product.setAttivo(true);
    product.setIVA(22);
    product.setValiditaDal(QDateTime(QDate(2026, 3, 1), QTime(0, 0)));
    product.setValiditaAl(QDateTime());  // no date: stored as Null
    product.update();

    CProdottiLingueSet language(db);
    language.open();
    language.addNew();
    language.setID(1);
    language.setIDProdotto(7);
    language.setCodiceLingua(QStringLiteral("it"));
    language.setPrezzo1(12.5);
    language.update();

    CProdottiGeneraleSet again(db);
    again.setFilter(QStringLiteral("ID=7"));
    again.open();
    ASSERT_FALSE(again.isEOF());
    EXPECT_EQ(again.Codice(), QStringLiteral("D'ANGELO-01"));
    EXPECT_TRUE(again.Attivo());
    EXPECT_FALSE(again.Novita());  // default of a flag never written
    EXPECT_EQ(again.TagliaDa(), -1);  // no size chosen
    EXPECT_DOUBLE_EQ(again.IVA(), 22.0);
    EXPECT_EQ(again.ValiditaDal().date(), QDate(2026, 3, 1));
    EXPECT_TRUE(again.isNull(QStringLiteral("ValiditaAl")));
    EXPECT_FALSE(again.ValiditaAl().isValid());

    // Deleting the product through its class takes its language row along.
    again.deleteCurrent();
    CProdottiLingueSet left(db);
    left.setFilter(QStringLiteral("IDProdotto=7"));
    left.open();
    EXPECT_TRUE(left.isEOF());
}

TEST(SetsOnTemplate, ReadsTheBlankTemplate)
{
    TempDir dir;
    Database db(writableCopy("progettografico.mdb", dir.path()));
    CCodiceASPSet nodes(db);
    nodes.setSort(QStringLiteral("ID"));
    nodes.open();
    ASSERT_TRUE(nodes.findFirst(QStringLiteral("ID=1")));
    EXPECT_EQ(nodes.Tipo(), 0);
    EXPECT_TRUE(nodes.Attivo());
    EXPECT_TRUE(nodes.Codice().startsWith(QLatin1Char('\\')));
}

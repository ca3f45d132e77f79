// The blank project database of the program folder: structure, structure
// dates, declared types, reference data and the removal of dependent rows.
#include "SchemaSupport.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QRegularExpression>

#include <algorithm>
#include <set>

using namespace schema_test;

namespace {

// Every table the project database must hold.
const std::set<std::string> kProjectTables = {
    "Argomenti", "ArgomentiLingue", "Articoli", "ArticoliFiles", "ArticoliFilesLingue",
    "ArticoliLingue", "ArticoliLink", "ArticoliLinkLingue", "Banner", "Categorie",
    "CategorieLingue", "CategorieProdotti", "ChiSiamo", "Clienti", "CondizioniVendita",
    "Configurazione", "Correlazioni", "DefCampiCustom", "DizionarioGen", "DizionarioLin",
    "Gruppi", "Interessi", "InteressiLingue", "InteressiUtenti", "InterventiForum", "Lingue",
    "Moduli", "ModuliCampi", "ModuliCampiLingue", "ModuliLingue", "ModuliOpzioni",
    "ModuliOpzioniLingue", "NotificaCliente", "OTPRichieste", "OTPRisposte", "Opzioni",
    "Ordini", "OrdiniDettaglio", "ParoleChiave", "Permessi", "Prodotti", "ProdottiColori",
    "ProdottiLingue", "ProgressivoVersioneRecord", "RecordsEliminati", "ScontiProdotto",
    "Sezioni", "SezioniArticoli", "SezioniLingue", "SpeseSpedizione", "StatoOrdini",
    "StatoOrdiniLingue", "Template", "TipoBanner", "ValoriTaglie", "Valute"};

// The CD viewer's texts, in the order the viewer reads them.
const std::vector<std::string> kViewerKeys = {
    "CDPMTINSTALLAZIONE", "CDMSGBENVENUTO", "CDPMTSELCARTELLA", "CDPMTSFOGLIA",
    "CDPMTINSTALLA", "CDPMTCREALINK", "CDPMTCREALINKDESK", "CDPMTINSTMDAC", "CDMSGOKINST",
    "CDMSGCOPIAFILE", "CDMNUFILE", "CDMNUAGGIORNAMENTO", "CDMNUSTAMPA", "CDMNUESCI",
    "CDMNUNAVIGAZIONE", "CDMNUHOME", "CDMNUINDIETRO", "CDMNUAVANTI", "CDMNUHELP",
    "CDPMTSTAMPA", "CDPMTCLIENTE", "CDPMTDALLADATA", "CDPMTALLADATA", "CDPMTTUTTICLIENTI",
    "CDPMTNUMORD", "CDPMTDATA", "CDPMTAGGIORNALISTA", "CDPMTOKSTAMPA", "CDPMTANNULLA",
    "CDPMTAGGIORNAMENTO", "CDPMTAGGREC", "CDPMTAVVIO", "CDMSGAGGIORNAMENTOOK",
    "CDMSGAGGIORNAMENTOKO", "CDMSGAGGIORNAMENTORP", "CDPMTAGGTAB", "CDERRSERVERIRR",
    "CDPMTAGGIMM", "CDPMTPRGAGGIMM", "CDPMTPRGORDINI", "CDERRNOORDSEL", "CDPMTDATIORDINE",
    "CDPMTDESTINATARIO", "CDPMTTELEFONO", "CDPMTPIVA", "CDPMTCODICE", "CDPMTDESCRIZIONE",
    "CDPMTQUANTITA", "CDPMTUM", "CDPMTPREZZO", "CDPMTIMPORTO", "CDPMTTAGLIA", "CDPMTCOLORE",
    "CDPMTTOTIMPONIBILE", "CDPMTSPESESPED", "CDPMTSPESECONTR", "CDPMTTOTIMPOSTA",
    "CDPMTTOTORDINE"};

const std::vector<std::string> kSpeechKeys = {
    "VBENVENUTO", "VBENVENUTOCLIENTE", "VCODICECLIENTE", "VNOMEPRODOTTO", "VPREZZOPRODOTTO",
    "VCODICEPRODOTTO"};

std::string dictionaryText(SQLite::Database &db, const std::string &code, const std::string &language)
{
    SQLite::Statement q(db, "SELECT l.Testo FROM DizionarioGen g JOIN DizionarioLin l ON l.IDCodice = g.ID "
                            "WHERE g.Codice = ? AND l.CodiceLingua = ?");
    q.bind(1, code);
    q.bind(2, language);
    return q.executeStep() ? q.getColumn(0).getString() : std::string();
}

} // namespace

TEST(SchemaProject, BlankDatabaseHoldsEveryTableAndIsSound)
{
    auto db = openReadOnly(programDb("database.mdb"));
    EXPECT_EQ(db.execAndGet("PRAGMA integrity_check").getString(), "ok");

    std::set<std::string> present;
    for (const auto &t : tables(db))
        present.insert(t);
    for (const auto &t : kProjectTables)
        EXPECT_TRUE(present.count(t)) << "missing table " << t;
    // Nothing beyond the known tables and the structure catalogue.
    for (const auto &t : present)
        EXPECT_TRUE(kProjectTables.count(t) || t == "MSysTables") << "unexpected table " << t;
}

TEST(SchemaProject, EveryTableHasOneStructureDate)
{
    for (const char *file : {"database.mdb", "progettografico.mdb", "modellografico.mdb"}) {
        SCOPED_TRACE(file);
        auto db = openReadOnly(programDb(file));
        std::set<std::string> dated;
        SQLite::Statement q(db, "SELECT Name, DateUpdate FROM MSysTables");
        while (q.executeStep()) {
            const std::string name = q.getColumn(0).getString();
            dated.insert(name);
            const QDateTime when = QDateTime::fromString(
                QString::fromStdString(q.getColumn(1).getString()), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            EXPECT_TRUE(when.isValid()) << name << " has no ISO date";
        }
        std::set<std::string> expected;
        for (const auto &t : tables(db))
            if (t.rfind("MSys", 0) != 0)
                expected.insert(t);
        EXPECT_EQ(dated, expected);
    }
}

TEST(SchemaProject, ColumnsUseTheAgreedDeclaredTypes)
{
    const std::set<std::string> allowed = {"INTEGER", "BOOLEAN", "REAL", "TEXT", "DATETIME"};
    const QRegularExpression dateName(QStringLiteral("^(Data|Dalla|Alla|Periodo(Dal|Al)$|Validita|ScontoPeriodo(Dal|Al)$|Quantita(Dal|Al)$)"));
    for (const char *file : {"database.mdb", "progettografico.mdb"}) {
        SCOPED_TRACE(file);
        auto db = openReadOnly(programDb(file));
        for (const auto &t : tables(db)) {
            for (const auto &c : columns(db, t)) {
                const std::string where = t + "." + c.name;
                EXPECT_TRUE(allowed.count(c.type)) << where << " declared " << c.type;
                if (c.name == "ID") {
                    EXPECT_TRUE(c.primaryKey && c.type == "INTEGER") << where << " is not the integer key";
                }
                if (c.name == "Modificato" || c.name == "Attivo")
                    EXPECT_EQ(c.type, "BOOLEAN") << where;
                if (c.type == "BOOLEAN")
                    EXPECT_EQ(c.defaultValue, "0") << where << " needs DEFAULT 0";
                if (dateName.match(QString::fromStdString(c.name)).hasMatch())
                    EXPECT_EQ(c.type, "DATETIME") << where;
            }
        }
    }
}

// Every text column compares without regard to case (as the site's Jet
// queries expect), and a row written with defaults only has no Null flags.
TEST(SchemaProject, TextIgnoresCaseAndFlagsDefaultToFalse)
{
    TempDir dir;
    const QString file = writableCopy("database.mdb", dir.path());
    SQLite::Database db(path(file), SQLite::OPEN_READWRITE);
    for (const auto &t : tables(db)) {
        if (t == "MSysTables")
            continue;
        SCOPED_TRACE(t);
        const auto cols = columns(db, t);
        std::vector<std::string> texts;
        std::string names, values;
        for (const auto &c : cols) {
            if (c.type != "TEXT")
                continue;
            texts.push_back(c.name);
            names += (names.empty() ? "" : ", ") + c.name;
            values += std::string(values.empty() ? "" : ", ") + "'MiXed'";
        }
        if (texts.empty())
            db.exec("INSERT INTO " + t + " DEFAULT VALUES");
        else
            db.exec("INSERT INTO " + t + " (" + names + ") VALUES (" + values + ")");
        const long long rowid = db.getLastInsertRowid();
        for (const auto &c : texts) {
            EXPECT_EQ(count(db, "SELECT count(*) FROM " + t + " WHERE rowid = " + std::to_string(rowid)
                                    + " AND " + c + " = 'mixed'"), 1)
                << c << " compares with regard to case";
        }
        for (const auto &c : cols) {
            if (c.type != "BOOLEAN")
                continue;
            EXPECT_EQ(count(db, "SELECT count(*) FROM " + t + " WHERE rowid = " + std::to_string(rowid)
                                    + " AND " + c.name + " = 0"), 1) << c.name;
        }
    }
}

TEST(SchemaProject, ConfigurationLanguagesAndCurrency)
{
    auto db = openReadOnly(programDb("database.mdb"));
    ASSERT_EQ(count(db, "SELECT count(*) FROM Configurazione"), 1);
    EXPECT_EQ(count(db, "SELECT VersioneDB FROM Configurazione"), 50);

    // The default language is Italian and active; English exists.
    SQLite::Statement lang(db, "SELECT l.Codice, l.Attivo, l.IDValuta FROM Configurazione c "
                               "JOIN Lingue l ON l.ID = c.IDLinguaPredefinita");
    ASSERT_TRUE(lang.executeStep());
    EXPECT_EQ(lang.getColumn(0).getString(), "it");
    EXPECT_EQ(lang.getColumn(1).getInt(), 1);
    EXPECT_EQ(count(db, "SELECT count(*) FROM Lingue WHERE Codice = 'en'"), 1);
    // Every language's currency exists.
    EXPECT_EQ(count(db, "SELECT count(*) FROM Lingue WHERE IDValuta NOT IN (SELECT ID FROM Valute)"), 0);

    // The Euro is currency 1 at rate 1, and the price-list currency.
    SQLite::Statement euro(db, "SELECT Nome, Cambio FROM Valute WHERE ID = 1");
    ASSERT_TRUE(euro.executeStep());
    EXPECT_EQ(euro.getColumn(0).getString(), "Euro");
    EXPECT_DOUBLE_EQ(euro.getColumn(1).getDouble(), 1.0);
    EXPECT_EQ(count(db, "SELECT IDValutaListino FROM Configurazione"), 1);

    // With the category icon width set, the general parameters require the
    // other sizes too; the blank configuration must pass its own check.
    EXPECT_EQ(count(db, "SELECT count(*) FROM Configurazione WHERE LarghezzaIconaCategorie > 0 AND "
                        "LarghezzaIconaSezioni > 0 AND LarghezzaDettaglioColori > 0 AND "
                        "LarghezzaDettaglioProdotti > 0 AND LarghezzaLogo > 0 AND LarghezzaIndiceProdotti > 0"),
              1);

    // The received and fulfilled states name existing states with texts in
    // both languages.
    for (const char *column : {"IDStatoRicevuto", "IDStatoEvaso"}) {
        const std::string sql = std::string("SELECT count(*) FROM StatoOrdiniLingue WHERE IDCodice = "
                                            "(SELECT ") + column + " FROM Configurazione)";
        EXPECT_EQ(count(db, sql), 2) << column;
    }
    EXPECT_EQ(count(db, "SELECT count(*) FROM StatoOrdini s WHERE (SELECT count(*) FROM StatoOrdiniLingue l "
                        "WHERE l.IDCodice = s.ID) <> 2"), 0);

    // The anonymous user, whose permissions new users copy.
    EXPECT_EQ(count(db, "SELECT count(*) FROM Clienti WHERE ID = 0"), 1);
}

TEST(SchemaProject, DictionaryHoldsSmsViewerAndSpeechTexts)
{
    auto db = openReadOnly(programDb("database.mdb"));

    // Codes follow the dictionary editor's rules: upper case letters and
    // digits, at most 20 characters, unique.
    const QRegularExpression codeRule(QStringLiteral("^[A-Z0-9]{1,20}$"));
    SQLite::Statement codes(db, "SELECT Codice FROM DizionarioGen");
    std::set<std::string> seen;
    while (codes.executeStep()) {
        const std::string code = codes.getColumn(0).getString();
        EXPECT_TRUE(codeRule.match(QString::fromStdString(code)).hasMatch()) << code;
        EXPECT_TRUE(seen.insert(code).second) << "duplicate code " << code;
    }

    std::vector<std::string> required = kViewerKeys;
    required.insert(required.end(), kSpeechKeys.begin(), kSpeechKeys.end());
    required.push_back("PMTINTESTAZIONESMS");
    EXPECT_EQ(kViewerKeys.size(), 58u);
    for (const auto &code : required) {
        EXPECT_TRUE(seen.count(code)) << "missing " << code;
        EXPECT_FALSE(dictionaryText(db, code, "it").empty()) << code << " has no Italian text";
        EXPECT_FALSE(dictionaryText(db, code, "en").empty()) << code << " has no English text";
    }

    // The SMS heading is also the originator, which the SMS page cuts to
    // 11 characters: ours fits whole.
    EXPECT_LE(QString::fromStdString(dictionaryText(db, "PMTINTESTAZIONESMS", "it")).size(), 11);

    // Every entry has a default-language text (the fallback of every
    // reader), and no language row is orphaned.
    EXPECT_EQ(count(db, "SELECT count(*) FROM DizionarioGen g WHERE NOT EXISTS (SELECT 1 FROM DizionarioLin l "
                        "WHERE l.IDCodice = g.ID AND l.CodiceLingua = 'it')"), 0);
    EXPECT_EQ(count(db, "SELECT count(*) FROM DizionarioLin WHERE IDCodice NOT IN (SELECT ID FROM DizionarioGen)"), 0);
}

TEST(SchemaProject, OptionsFollowTheOptionEditorRules)
{
    auto db = openReadOnly(programDb("database.mdb"));
    EXPECT_GT(count(db, "SELECT count(*) FROM Opzioni"), 0);
    const QRegularExpression codeRule(QStringLiteral("^[A-Z0-9]{1,20}$"));
    SQLite::Statement q(db, "SELECT Codice, Descrizione FROM Opzioni");
    std::set<std::string> seen;
    while (q.executeStep()) {
        const std::string code = q.getColumn(0).getString();
        EXPECT_TRUE(codeRule.match(QString::fromStdString(code)).hasMatch()) << code;
        EXPECT_TRUE(seen.insert(code).second) << "duplicate option " << code;
        EXPECT_LE(QString::fromStdString(q.getColumn(1).getString()).size(), 255);
    }
}

// Editors delete a general row only; the database removes what belongs to
// it, whether or not the connection lets triggers fire recursively.
class SchemaProjectCascade : public ::testing::TestWithParam<bool> {};

TEST_P(SchemaProjectCascade, DeletingARecordRemovesItsDependants)
{
    TempDir dir;
    SQLite::Database db(path(writableCopy("database.mdb", dir.path())), SQLite::OPEN_READWRITE);
    db.exec(std::string("PRAGMA recursive_triggers = ") + (GetParam() ? "ON" : "OFF"));
    db.exec(R"(
        INSERT INTO Categorie (ID, IDCategoriaPadre) VALUES (1, 0), (2, 0);
        INSERT INTO CategorieLingue (ID, IDCategoria, CodiceLingua, Nome) VALUES (1, 1, 'it', 'Borse'), (2, 2, 'it', 'Scarpe');
        -- 10 only in category 1, with a variant 11 and its variant 12; 20 in both categories
        INSERT INTO Prodotti (ID, IDProdottoBase, Codice) VALUES (10, 0, 'B10'), (11, 10, 'B11'), (12, 11, 'B12'), (20, 0, 'X20');
        INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua) VALUES (1, 10, 'it'), (2, 11, 'it'), (3, 12, 'it'), (4, 20, 'it');
        INSERT INTO CategorieProdotti (ID, IDCategoria, IDProdotto) VALUES (1, 1, 10), (2, 1, 11), (3, 1, 12), (4, 1, 20), (5, 2, 20);
        INSERT INTO ProdottiColori (ID, IDProdotto) VALUES (1, 12);
        INSERT INTO ParoleChiave (ID, Tipo, IDRecord, CodiceLingua) VALUES (1, 1, 11, 'it'), (2, 3, 11, 'it');
        INSERT INTO Permessi (ID, IDGruppo, IDUtente, Tipo, IDRecord) VALUES (1, 5, -1, 0, 1), (2, 5, -1, 1, 12), (3, 5, -1, 0, 2);
        INSERT INTO Correlazioni (ID, Tipo1, ID1, Tipo2, ID2) VALUES (1, 3, 7, 1, 12), (2, 0, 1, 3, 7);
        INSERT INTO ScontiProdotto (ID, IDGruppo, IDUtente, IDCategoria, IDProdotto) VALUES (1, 5, -1, 0, 11), (2, 5, -1, 2, 0);
        DELETE FROM Categorie WHERE ID = 1;
    )");
    EXPECT_EQ(count(db, "SELECT count(*) FROM CategorieLingue"), 1);
    // The family of 10 was in category 1 only and is gone; 20 stays in 2.
    EXPECT_EQ(text(db, "SELECT group_concat(ID) FROM Prodotti"), "20");
    EXPECT_EQ(text(db, "SELECT group_concat(IDProdotto) FROM ProdottiLingue"), "20");
    EXPECT_EQ(text(db, "SELECT group_concat(ID) FROM CategorieProdotti"), "5");
    EXPECT_EQ(count(db, "SELECT count(*) FROM ProdottiColori"), 0);
    // The article keyword with the same record number is not a product's.
    EXPECT_EQ(text(db, "SELECT group_concat(ID) FROM ParoleChiave"), "2");
    EXPECT_EQ(text(db, "SELECT group_concat(ID) FROM Permessi"), "3");
    EXPECT_EQ(count(db, "SELECT count(*) FROM Correlazioni"), 0);
    EXPECT_EQ(text(db, "SELECT group_concat(ID) FROM ScontiProdotto"), "2");

    // A group's members stay, without the group; its rules go.
    db.exec(R"(
        INSERT INTO Gruppi (ID, Nome) VALUES (5, 'Rivenditori');
        INSERT INTO Clienti (ID, IDGruppo, Cognome) VALUES (1000000001, 5, 'D''Angelo');
        DELETE FROM Gruppi WHERE ID = 5;
    )");
    EXPECT_EQ(count(db, "SELECT IDGruppo FROM Clienti WHERE ID = 1000000001"), 0);
    EXPECT_EQ(count(db, "SELECT Modificato FROM Clienti WHERE ID = 1000000001"), 1);
    EXPECT_EQ(count(db, "SELECT count(*) FROM Permessi"), 0);
    EXPECT_EQ(count(db, "SELECT count(*) FROM ScontiProdotto"), 0);

    // Nested dependants: an article's links take their language rows along.
    db.exec(R"(
        INSERT INTO Articoli (ID, Codice) VALUES (7, 'A7');
        INSERT INTO ArticoliLink (ID, IDArticolo) VALUES (1, 7);
        INSERT INTO ArticoliLinkLingue (ID, IDLink, CodiceLingua) VALUES (1, 1, 'it');
        INSERT INTO SezioniArticoli (ID, IDSezione, IDArticolo) VALUES (1, 3, 7);
        DELETE FROM Articoli WHERE ID = 7;
    )");
    EXPECT_EQ(count(db, "SELECT count(*) FROM ArticoliLinkLingue"), 0);
    EXPECT_EQ(count(db, "SELECT count(*) FROM SezioniArticoli"), 0);

    // The dictionary entry takes its texts along; other entries keep theirs.
    const long long before = count(db, "SELECT count(*) FROM DizionarioLin");
    db.exec("DELETE FROM DizionarioGen WHERE Codice = 'CDMNUESCI'");
    EXPECT_EQ(count(db, "SELECT count(*) FROM DizionarioLin"), before - 2);
}

INSTANTIATE_TEST_SUITE_P(RecursiveTriggers, SchemaProjectCascade, ::testing::Bool());

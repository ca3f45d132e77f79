#include "DatabaseUpgrade.h"

#include "data/BooleanColumns.h"
#include "data/DataError.h"
#include "data/Database.h"
#include "data/DatabaseFiles.h"
#include "data/NextId.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <string>

namespace {

std::string ident(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return (QLatin1Char('"') + quoted + QLatin1Char('"')).toStdString();
}

std::string identList(const QStringList &names)
{
    std::string out;
    for (const QString &n : names) {
        if (!out.empty())
            out += ", ";
        out += ident(n);
    }
    return out;
}

std::string placeholders(int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += i ? ", ?" : "?";
    return out;
}

QStringList columnNames(Database &db, const QString &table)
{
    QStringList names;
    for (const ColumnInfo &c : db.columns(table))
        names << c.name;
    return names;
}

bool hasColumns(Database &db, const QString &table, const QStringList &wanted)
{
    if (!db.tableExists(table))
        return false;
    const QStringList names = columnNames(db, table);
    for (const QString &w : wanted) {
        if (!names.contains(w))
            return false;
    }
    return true;
}

qint64 countRows(Database &db, const QString &table)
{
    SQLite::Statement q(db.native(), "SELECT COUNT(*) FROM " + ident(table));
    return q.executeStep() ? q.getColumn(0).getInt64() : 0;
}

// Binds a value read from one database to a statement on another, unchanged
// (a null stays null).
void bindColumn(SQLite::Statement &stmt, int index, const SQLite::Column &value)
{
    switch (value.getType()) {
    case SQLITE_INTEGER:
        stmt.bind(index, static_cast<int64_t>(value.getInt64()));
        break;
    case SQLITE_FLOAT:
        stmt.bind(index, value.getDouble());
        break;
    case SQLITE_TEXT:
        stmt.bind(index, std::string(value.getText(), std::size_t(value.getBytes())));
        break;
    case SQLITE_BLOB:
        stmt.bind(index, value.getBlob(), value.getBytes());
        break;
    default:
        stmt.bind(index);
        break;
    }
}

bool isMissingOrNotPositive(const SQLite::Column &value)
{
    return value.isNull() || (value.getType() == SQLITE_INTEGER && value.getInt64() <= 0);
}

// Removes every trigger of the database and returns their names and SQL.
std::vector<std::pair<std::string, std::string>> takeTriggers(Database &db)
{
    std::vector<std::pair<std::string, std::string>> triggers;
    {
        SQLite::Statement q(db.native(), "SELECT name, sql FROM sqlite_master WHERE type = 'trigger'");
        while (q.executeStep())
            triggers.emplace_back(q.getColumn(0).getString(), q.getColumn(1).getString());
    }
    for (const auto &trigger : triggers)
        db.native().exec("DROP TRIGGER " + ident(QString::fromStdString(trigger.first)));
    return triggers;
}

const char *const RecordLabelPattern = "Aggiornamento record %1/%2 in corso...";
const char *const CurrencyLabelPattern = "Aggiornamento valuta %1/%2 in corso...";

} // namespace

DatabaseUpgrade::DatabaseUpgrade(const ProgramFolder &program, const ProjectFolder &project)
    : m_program(program), m_project(project)
{
}

// --- progress --------------------------------------------------------------

void DatabaseUpgrade::setTableLabel(const QString &text)
{
    if (m_progress.tableLabel)
        m_progress.tableLabel(text);
}

void DatabaseUpgrade::setRecordLabel(const QString &text)
{
    if (m_progress.recordLabel)
        m_progress.recordLabel(text);
}

void DatabaseUpgrade::setRecordRange(int minimum, int maximum)
{
    if (m_progress.recordRange)
        m_progress.recordRange(minimum, maximum);
}

void DatabaseUpgrade::setRecordPosition(int position)
{
    if (m_progress.recordPosition)
        m_progress.recordPosition(position);
}

void DatabaseUpgrade::recordStep(const char *pattern, qint64 number, qint64 count)
{
    if (m_progress.recordLabel)
        m_progress.recordLabel(QString::fromUtf8(pattern).arg(number).arg(count));
    setRecordPosition(int(number));
    pump();
}

void DatabaseUpgrade::pump()
{
    if (m_progress.pump)
        m_progress.pump();
}

// --- the whole upgrade -----------------------------------------------------

DatabaseUpgrade::Result DatabaseUpgrade::run()
{
    m_cancelled = false;
    m_error.clear();
    m_summary = Summary();
    setTableLabel(QString());
    setRecordLabel(QString());

    Result result = Result::Failed;
    m_temp = m_project.newTempDatabase();
    try {
        foldProjectJournal();
        if (m_progress.phaseStarted)
            m_progress.phaseStarted(1);
        DatabaseFiles::copy(m_program.blankDatabase(), m_temp);
        {
            Database oldDb(m_project.database(), Database::OpenMode::ReadOnly);
            Database newDb(m_temp, Database::OpenMode::ReadWrite);
            newDb.beginTransaction();
            // The new database's triggers cascade deletions between tables;
            // while rows are replaced wholesale they would remove rows
            // already copied, so they rest until the data is in place.
            const std::vector<std::pair<std::string, std::string>> triggers = takeTriggers(newDb);
            copyTables(oldDb, newDb);
            if (!m_cancelled) {
                if (m_progress.phaseStarted)
                    m_progress.phaseStarted(2);
                convert(oldDb, newDb);
                oldDb.close();

                if (m_progress.phaseStarted)
                    m_progress.phaseStarted(3);
                Database blank(m_program.blankDatabase(), Database::OpenMode::ReadOnly);
                addDictionary(blank, newDb);
                addOptions(blank, newDb);
                for (const auto &trigger : triggers)
                    newDb.native().exec(trigger.second);
                // Rows copied while the triggers rested keep the old
                // files' true values (-1): stored as 1 from now on.
                BooleanColumns::normalise(newDb);
            }
            if (m_cancelled)
                newDb.rollback();
            else
                newDb.commit();
        }
        if (m_progress.phaseStarted)
            m_progress.phaseStarted(4);
        if (m_cancelled) {
            result = Result::Cancelled;
        } else {
            DatabaseFiles::replace(m_temp, m_project.database());
            result = Result::Done;
        }
    } catch (const DataError &e) {
        m_error = e.text();
    } catch (const SQLite::Exception &e) {
        m_error = QString::fromUtf8(e.what());
    } catch (const std::exception &e) {
        m_error = QString::fromUtf8(e.what());
    }
    if (result != Result::Done)
        removeTemporaryDatabase();
    setTableLabel(QString());
    setRecordLabel(QString());
    return result;
}

void DatabaseUpgrade::foldProjectJournal()
{
    // Rows committed but still in the write-ahead log belong to the old
    // database: have the engine move them into the file before anything is
    // copied or replaced, so that no log file outlives its database.
    const QString db = m_project.database();
    if (!QFileInfo::exists(db + QStringLiteral("-wal")) && !QFileInfo::exists(db + QStringLiteral("-journal")))
        return;
    {
        Database fold(db, Database::OpenMode::ReadWrite);
        fold.close();
    }
    if (QFileInfo::exists(db + QStringLiteral("-wal")))
        throw DataError(QStringLiteral("Il database del progetto è in uso da un altro programma"), db);
}

void DatabaseUpgrade::removeTemporaryDatabase()
{
    const QString temp = m_temp;
    for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"),
                                  QStringLiteral("-journal")}) {
        if (QFileInfo::exists(temp + suffix))
            QFile::remove(temp + suffix);
    }
}

// --- phase 1: rows ---------------------------------------------------------

void DatabaseUpgrade::copyTables(Database &oldDb, Database &newDb)
{
    const QStringList tables = oldDb.tableNames();
    if (m_progress.tableRange)
        m_progress.tableRange(0, int(tables.size()) - 1);

    for (int i = 0; i < tables.size() && !m_cancelled; ++i) {
        const QString &table = tables[i];
        if (table.startsWith(QLatin1String("MSys")))
            continue;
        setTableLabel(QStringLiteral("Aggiornamento tabella %1 in corso...").arg(table));
        if (m_progress.tablePosition)
            m_progress.tablePosition(i);
        if (!newDb.tableExists(table)) {
            m_summary.droppedTables << table;
            continue;
        }

        // The blank database's own rows make way for the project's.
        {
            SQLite::Statement ids(newDb.native(), "SELECT rowid FROM " + ident(table));
            SQLite::Statement del(newDb.native(), "DELETE FROM " + ident(table) + " WHERE rowid = ?");
            std::vector<int64_t> rowids;
            while (ids.executeStep())
                rowids.push_back(ids.getColumn(0).getInt64());
            for (int64_t rowid : rowids) {
                pump();
                del.bind(1, static_cast<int64_t>(rowid));
                del.exec();
                del.reset();
            }
        }
        if (m_cancelled)
            break;

        const QStringList newColumns = columnNames(newDb, table);
        QStringList shared;
        for (const QString &c : columnNames(oldDb, table)) {
            if (newColumns.contains(c))
                shared << c;
        }

        const qint64 count = countRows(oldDb, table);
        if (count > 0) {
            setRecordRange(1, int(count));
            const std::string insertSql = shared.isEmpty()
                ? "INSERT INTO " + ident(table) + " DEFAULT VALUES"
                : "INSERT INTO " + ident(table) + " (" + identList(shared) + ") VALUES ("
                    + placeholders(int(shared.size())) + ")";
            SQLite::Statement insert(newDb.native(), insertSql);
            const std::string selectSql = shared.isEmpty()
                ? "SELECT 1 FROM " + ident(table)
                : "SELECT " + identList(shared) + " FROM " + ident(table);
            SQLite::Statement select(oldDb.native(), selectSql);
            qint64 number = 0;
            while (select.executeStep()) {
                ++number;
                recordStep(RecordLabelPattern, number, count);
                for (int c = 0; c < shared.size(); ++c)
                    bindColumn(insert, c + 1, select.getColumn(c));
                insert.exec();
                insert.reset();
                insert.clearBindings();
                ++m_summary.rowsCopied;
                if (m_cancelled)
                    break;
            }
        }
        ++m_summary.tablesCopied;
    }
    setTableLabel(QString());
    if (m_progress.tablePosition)
        m_progress.tablePosition(0);
}

// --- phase 2: conversions by version ---------------------------------------

void DatabaseUpgrade::convert(Database &oldDb, Database &newDb)
{
    int version = 0;
    if (hasColumns(oldDb, QStringLiteral("Configurazione"), {QStringLiteral("VersioneDB")})) {
        SQLite::Statement q(oldDb.native(), "SELECT VersioneDB FROM Configurazione");
        if (q.executeStep() && !q.getColumn(0).isNull())
            version = q.getColumn(0).getInt();
    }
    m_summary.oldVersion = version;

    switch (version) {
    case 0:
        convertKeywords(oldDb, newDb);
        linkProductCategories(oldDb, newDb);
        roundRates(newDb);
        break;
    case 31:
        linkProductCategories(oldDb, newDb);
        linkArticleSections(oldDb, newDb);
        roundRates(newDb);
        break;
    case 40:
        roundRates(newDb);
        break;
    default:
        break;
    }
    stampVersion(newDb);
}

void DatabaseUpgrade::convertKeywords(Database &oldDb, Database &newDb)
{
    // Version 0 kept a product's keywords on its language rows.
    if (!hasColumns(oldDb, QStringLiteral("ProdottiLingue"),
                    {QStringLiteral("IDProdotto"), QStringLiteral("CodiceLingua"), QStringLiteral("Keywords")})
        || !hasColumns(oldDb, QStringLiteral("Prodotti"), {QStringLiteral("ID"), QStringLiteral("Attivo")})) {
        m_summary.notes << QStringLiteral("parole chiave non convertite: il vecchio database non ha le colonne Keywords");
        return;
    }
    const qint64 count = countRows(oldDb, QStringLiteral("ProdottiLingue"));
    setRecordRange(1, int(count));
    SQLite::Statement rows(oldDb.native(), "SELECT IDProdotto, CodiceLingua, Keywords FROM ProdottiLingue ORDER BY rowid");
    SQLite::Statement product(oldDb.native(), "SELECT ID, Attivo FROM Prodotti WHERE ID = ?");
    SQLite::Statement insert(newDb.native(),
                             "INSERT INTO ParoleChiave (ID, Tipo, IDRecord, CodiceLingua, Keywords, Attivo)"
                             " VALUES (?, 1, ?, ?, ?, ?)");
    // The largest ID + 1 rule; this loop is the only writer of the table.
    int id = nextId(newDb, QStringLiteral("ParoleChiave"));
    qint64 number = 0;
    int orphans = 0;
    while (rows.executeStep()) {
        ++number;
        recordStep(RecordLabelPattern, number, count);
        product.reset();
        bindColumn(product, 1, rows.getColumn(0));
        if (!product.executeStep()) {
            // No product owns these keywords: there is nothing to attach them to.
            ++orphans;
            continue;
        }
        insert.bind(1, id++);
        bindColumn(insert, 2, product.getColumn(0));
        bindColumn(insert, 3, rows.getColumn(1));
        bindColumn(insert, 4, rows.getColumn(2));
        bindColumn(insert, 5, product.getColumn(1));
        insert.exec();
        insert.reset();
        ++m_summary.keywordRows;
    }
    if (orphans)
        m_summary.notes << QStringLiteral("%1 righe di parole chiave senza prodotto non convertite").arg(orphans);
}

void DatabaseUpgrade::linkProductCategories(Database &oldDb, Database &newDb)
{
    // Versions 0 and 31 kept one category per product.
    if (!hasColumns(oldDb, QStringLiteral("Prodotti"), {QStringLiteral("ID"), QStringLiteral("IDCategorie")})) {
        m_summary.notes << QStringLiteral("categorie dei prodotti non convertite: il vecchio database non ha la colonna IDCategorie");
        return;
    }
    const qint64 count = countRows(oldDb, QStringLiteral("Prodotti"));
    setRecordRange(1, int(count));
    SQLite::Statement rows(oldDb.native(), "SELECT ID, IDCategorie FROM Prodotti ORDER BY rowid");
    SQLite::Statement insert(newDb.native(),
                             "INSERT INTO CategorieProdotti (ID, IDCategoria, IDProdotto) VALUES (?, ?, ?)");
    int id = nextId(newDb, QStringLiteral("CategorieProdotti"));
    qint64 number = 0;
    while (rows.executeStep()) {
        ++number;
        recordStep(RecordLabelPattern, number, count);
        if (isMissingOrNotPositive(rows.getColumn(1)))
            continue;   // a product without a category gets no link
        insert.bind(1, id++);
        bindColumn(insert, 2, rows.getColumn(1));
        bindColumn(insert, 3, rows.getColumn(0));
        insert.exec();
        insert.reset();
        ++m_summary.categoryLinks;
    }
}

void DatabaseUpgrade::linkArticleSections(Database &oldDb, Database &newDb)
{
    // Version 31 kept one section per article.
    if (!hasColumns(oldDb, QStringLiteral("Articoli"), {QStringLiteral("ID"), QStringLiteral("IDSezione")})) {
        m_summary.notes << QStringLiteral("sezioni degli articoli non convertite: il vecchio database non ha la colonna IDSezione");
        return;
    }
    const qint64 count = countRows(oldDb, QStringLiteral("Articoli"));
    setRecordRange(1, int(count));
    SQLite::Statement rows(oldDb.native(), "SELECT ID, IDSezione FROM Articoli ORDER BY rowid");
    SQLite::Statement insert(newDb.native(),
                             "INSERT INTO SezioniArticoli (ID, IDSezione, IDArticolo) VALUES (?, ?, ?)");
    int id = nextId(newDb, QStringLiteral("SezioniArticoli"));
    qint64 number = 0;
    while (rows.executeStep()) {
        ++number;
        recordStep(RecordLabelPattern, number, count);
        if (isMissingOrNotPositive(rows.getColumn(1)))
            continue;
        insert.bind(1, id++);
        bindColumn(insert, 2, rows.getColumn(1));
        bindColumn(insert, 3, rows.getColumn(0));
        insert.exec();
        insert.reset();
        ++m_summary.articleLinks;
    }
}

void DatabaseUpgrade::roundRates(Database &newDb)
{
    const qint64 count = countRows(newDb, QStringLiteral("Valute"));
    setRecordRange(0, int(count));
    SQLite::Statement rows(newDb.native(), "SELECT rowid, Cambio FROM Valute ORDER BY rowid");
    std::vector<std::pair<int64_t, double>> changes;
    qint64 number = 0;
    while (rows.executeStep()) {
        ++number;
        recordStep(CurrencyLabelPattern, number, count);
        if (rows.getColumn(1).isNull())
            continue;
        const double rate = rows.getColumn(1).getDouble();
        const double rounded = roundRate(rate);
        if (rounded != rate)
            changes.emplace_back(rows.getColumn(0).getInt64(), rounded);
    }
    SQLite::Statement update(newDb.native(), "UPDATE Valute SET Cambio = ? WHERE rowid = ?");
    for (const auto &[rowid, rate] : changes) {
        update.bind(1, rate);
        update.bind(2, static_cast<int64_t>(rowid));
        update.exec();
        update.reset();
        ++m_summary.ratesRounded;
    }
}

void DatabaseUpgrade::stampVersion(Database &newDb)
{
    SQLite::Statement update(newDb.native(), "UPDATE Configurazione SET VersioneDB = ?");
    update.bind(1, CurrentVersion);
    if (update.exec() == 0) {
        // The old project had an empty configuration: keep the version anyway.
        SQLite::Statement insert(newDb.native(), "INSERT INTO Configurazione (VersioneDB) VALUES (?)");
        insert.bind(1, CurrentVersion);
        insert.exec();
    }
}

double DatabaseUpgrade::roundRate(double rate)
{
    constexpr int Places = 5;
    QString text = QString::number(rate, 'f', QLocale::FloatingPointShortest);
    QString sign;
    if (text.startsWith(QLatin1Char('-'))) {
        sign = QStringLiteral("-");
        text.remove(0, 1);
    }
    const int dot = int(text.indexOf(QLatin1Char('.')));
    if (dot < 0 || text.size() - dot - 1 <= Places)
        return rate;
    QString digits = text.left(dot) + text.mid(dot + 1, Places);
    const QString rest = text.mid(dot + 1 + Places);
    // Above half when the first dropped digit is over 5, or 5 with anything after it.
    bool up = rest[0] > QLatin1Char('5');
    if (rest[0] == QLatin1Char('5')) {
        for (int i = 1; i < rest.size(); ++i) {
            if (rest[i] != QLatin1Char('0')) {
                up = true;
                break;
            }
        }
    }
    if (up) {
        int i = int(digits.size()) - 1;
        while (i >= 0) {
            if (digits[i] == QLatin1Char('9')) {
                digits[i] = QLatin1Char('0');
                --i;
            } else {
                digits[i] = QChar(digits[i].unicode() + 1);
                break;
            }
        }
        if (i < 0)
            digits.prepend(QLatin1Char('1'));
    }
    const QString result = sign + digits.left(digits.size() - Places) + QLatin1Char('.')
        + digits.right(Places);
    return result.toDouble();
}

// --- phase 3: reference data -----------------------------------------------

void DatabaseUpgrade::addDictionary(Database &blank, Database &newDb)
{
    SQLite::Statement entries(blank.native(), "SELECT ID, Codice FROM DizionarioGen ORDER BY rowid");
    SQLite::Statement texts(blank.native(),
                            "SELECT CodiceLingua, Testo FROM DizionarioLin WHERE IDCodice = ? ORDER BY rowid");
    SQLite::Statement present(newDb.native(), "SELECT 1 FROM DizionarioGen WHERE Codice = ?");
    SQLite::Statement addEntry(newDb.native(),
                               "INSERT INTO DizionarioGen (ID, Codice, Modificato) VALUES (?, ?, 1)");
    SQLite::Statement addText(newDb.native(),
                              "INSERT INTO DizionarioLin (ID, IDCodice, CodiceLingua, Testo, Modificato)"
                              " VALUES (?, ?, ?, ?, 1)");
    int entryId = nextId(newDb, QStringLiteral("DizionarioGen"));
    int textId = nextId(newDb, QStringLiteral("DizionarioLin"));
    while (entries.executeStep()) {
        pump();
        if (entries.getColumn(1).isNull())
            continue;
        present.reset();
        bindColumn(present, 1, entries.getColumn(1));
        if (present.executeStep())
            continue;
        const int newEntry = entryId++;
        addEntry.bind(1, newEntry);
        bindColumn(addEntry, 2, entries.getColumn(1));
        addEntry.exec();
        addEntry.reset();
        ++m_summary.dictionaryEntries;

        texts.reset();
        bindColumn(texts, 1, entries.getColumn(0));
        while (texts.executeStep()) {
            pump();
            addText.bind(1, textId++);
            addText.bind(2, newEntry);
            bindColumn(addText, 3, texts.getColumn(0));
            bindColumn(addText, 4, texts.getColumn(1));
            addText.exec();
            addText.reset();
            ++m_summary.dictionaryTexts;
        }
    }
}

void DatabaseUpgrade::addOptions(Database &blank, Database &newDb)
{
    SQLite::Statement options(blank.native(), "SELECT Codice, Descrizione FROM Opzioni ORDER BY rowid");
    SQLite::Statement present(newDb.native(), "SELECT 1 FROM Opzioni WHERE Codice = ?");
    SQLite::Statement add(newDb.native(),
                          "INSERT INTO Opzioni (ID, Codice, Descrizione, Modificato) VALUES (?, ?, ?, 1)");
    int id = nextId(newDb, QStringLiteral("Opzioni"));
    while (options.executeStep()) {
        pump();
        if (options.getColumn(0).isNull())
            continue;
        present.reset();
        bindColumn(present, 1, options.getColumn(0));
        if (present.executeStep())
            continue;
        add.bind(1, id++);
        bindColumn(add, 2, options.getColumn(0));
        bindColumn(add, 3, options.getColumn(1));
        add.exec();
        add.reset();
        ++m_summary.options;
    }
}

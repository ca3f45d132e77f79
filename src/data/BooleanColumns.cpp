#include "data/BooleanColumns.h"

#include "data/Database.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <sqlite3.h>

namespace {

const QString InsertPrefix = QStringLiteral("zf_bool_insert_");
const QString UpdatePrefix = QStringLiteral("zf_bool_update_");

struct BoolTable {
    QString name;
    QStringList columns;
};

QString quoted(const QString &name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString columnText(sqlite3_stmt *stmt, int col)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, col)),
                             sqlite3_column_bytes(stmt, col));
}

void run(Database &db, const QString &sql)
{
    char *err = nullptr;
    const int rc = sqlite3_exec(db.handle(), sql.toUtf8().constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        const QString msg = err ? QString::fromUtf8(err) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_free(err);
        throw DataError(QStringLiteral("Errore del database: %1").arg(msg), sql);
    }
}

// Tables with at least one BOOLEAN column, in name order. Tables without
// rowid and virtual tables are left out: the triggers address rows by rowid.
QList<BoolTable> booleanTables(Database &db)
{
    const char *sql =
        "SELECT m.name, m.sql, p.name, p.type FROM sqlite_master AS m JOIN pragma_table_info(m.name) AS p "
        "WHERE m.type = 'table' AND substr(m.name, 1, 7) <> 'sqlite_' ORDER BY m.name, p.cid";
    sqlite3_stmt *stmt = nullptr;
    db.check(sqlite3_prepare_v2(db.handle(), sql, -1, &stmt, nullptr), QString::fromUtf8(sql));
    QList<BoolTable> tables;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const QString table = columnText(stmt, 0);
        const QString create = columnText(stmt, 1).simplified().toUpper();
        if (create.startsWith(QLatin1String("CREATE VIRTUAL")) || create.contains(QLatin1String("WITHOUT ROWID")))
            continue;
        if (columnKindFromDeclaredType(columnText(stmt, 3)) != ColumnKind::Bool)
            continue;
        if (tables.isEmpty() || tables.last().name != table)
            tables.append(BoolTable{table, {}});
        tables.last().columns << columnText(stmt, 2);
    }
    sqlite3_finalize(stmt);
    db.check(rc, QString::fromUtf8(sql));
    return tables;
}

// True when the stored value is not already 0, 1 or Null.
QString needsNormalising(const QString &prefix, const QStringList &columns)
{
    QStringList tests;
    for (const QString &c : columns) {
        const QString v = prefix + quoted(c);
        // Plain comparisons: an IN list would build a table at every row.
        // Null fails both; text and blobs pass both.
        tests << QStringLiteral("(%1 <> 0 AND %1 <> 1)").arg(v);
    }
    return tests.join(QStringLiteral(" OR "));
}

// Every column set to its 0/1 form: numbers by being nonzero, text as the
// record sets read it ('true' in any case, or a nonzero number).
QString normalisingAssignments(const QStringList &columns)
{
    QStringList sets;
    for (const QString &c : columns) {
        const QString v = quoted(c);
        sets << QStringLiteral("%1 = CASE WHEN typeof(%1) = 'integer' OR typeof(%1) = 'real' THEN %1 <> 0 "
                               "WHEN typeof(%1) = 'text' THEN (lower(%1) = 'true' OR CAST(%1 AS REAL) <> 0) "
                               "ELSE %1 END")
                    .arg(v);
    }
    return sets.join(QStringLiteral(", "));
}

QString insertTrigger(const BoolTable &t)
{
    return QStringLiteral("CREATE TRIGGER %1 AFTER INSERT ON %2 WHEN %3 BEGIN UPDATE %2 SET %4 WHERE rowid = NEW.rowid; END")
        .arg(quoted(InsertPrefix + t.name), quoted(t.name), needsNormalising(QStringLiteral("NEW."), t.columns),
             normalisingAssignments(t.columns));
}

QString updateTrigger(const BoolTable &t)
{
    QStringList cols;
    for (const QString &c : t.columns)
        cols << quoted(c);
    return QStringLiteral("CREATE TRIGGER %1 AFTER UPDATE OF %2 ON %3 WHEN %4 BEGIN UPDATE %3 SET %5 WHERE rowid = NEW.rowid; END")
        .arg(quoted(UpdatePrefix + t.name), cols.join(QStringLiteral(", ")), quoted(t.name),
             needsNormalising(QStringLiteral("NEW."), t.columns), normalisingAssignments(t.columns));
}

int normaliseTable(Database &db, const BoolTable &t)
{
    run(db, QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                .arg(quoted(t.name), normalisingAssignments(t.columns), needsNormalising(QString(), t.columns)));
    return sqlite3_changes(db.handle());
}

// Runs `work` inside a savepoint: all of it happens or none of it.
template <typename F>
int inSavepoint(Database &db, F work)
{
    run(db, QStringLiteral("SAVEPOINT zf_bool"));
    try {
        const int n = work();
        run(db, QStringLiteral("RELEASE zf_bool"));
        return n;
    } catch (...) {
        sqlite3_exec(db.handle(), "ROLLBACK TO zf_bool; RELEASE zf_bool", nullptr, nullptr, nullptr);
        throw;
    }
}

} // namespace

int BooleanColumns::install(Database &db)
{
    const QList<BoolTable> tables = booleanTables(db);
    QHash<QString, QString> present;  // trigger name -> SQL
    {
        const char *sql = "SELECT name, sql FROM sqlite_master WHERE type = 'trigger' AND name GLOB 'zf_bool_*'";
        sqlite3_stmt *stmt = nullptr;
        db.check(sqlite3_prepare_v2(db.handle(), sql, -1, &stmt, nullptr), QString::fromUtf8(sql));
        while (sqlite3_step(stmt) == SQLITE_ROW)
            present.insert(columnText(stmt, 0), columnText(stmt, 1));
        sqlite3_finalize(stmt);
    }
    QList<const BoolTable *> changed;
    QStringList statements;
    for (const BoolTable &t : tables) {
        bool tableChanged = false;
        for (const QString &create : {insertTrigger(t), updateTrigger(t)}) {
            const QString name = (create.contains(QLatin1String(" AFTER INSERT ")) ? InsertPrefix : UpdatePrefix) + t.name;
            const auto it = present.constFind(name);
            if (it != present.constEnd() && it.value() == create) {
                present.remove(name);
                continue;
            }
            if (it != present.constEnd())
                statements << QStringLiteral("DROP TRIGGER %1").arg(quoted(name));
            present.remove(name);
            statements << create;
            tableChanged = true;
        }
        if (tableChanged)
            changed << &t;
    }
    // Triggers left over from tables that no longer have BOOLEAN columns.
    for (auto it = present.constBegin(); it != present.constEnd(); ++it)
        statements << QStringLiteral("DROP TRIGGER %1").arg(quoted(it.key()));
    if (statements.isEmpty())
        return 0;
    inSavepoint(db, [&] {
        for (const QString &s : std::as_const(statements))
            run(db, s);
        int rows = 0;
        for (const BoolTable *t : std::as_const(changed))
            rows += normaliseTable(db, *t);
        return rows;
    });
    db.noteWrite();
    return int(changed.size());
}

int BooleanColumns::normalise(Database &db)
{
    const QList<BoolTable> tables = booleanTables(db);
    db.aboutToWrite();
    const int rows = inSavepoint(db, [&] {
        int n = 0;
        for (const BoolTable &t : tables)
            n += normaliseTable(db, t);
        return n;
    });
    db.noteWrite();
    return rows;
}

#pragma once

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QFile>
#include <QString>
#include <QStringList>

#include <map>
#include <string>
#include <vector>

// Helpers of the schema tests: they read the program folder's generated
// databases directly through SQLite, without the record-set layer.
namespace schema_test {

inline QString programDb(const char *name)
{
    return QStringLiteral(ZANFIRA_PROGRAM_FOLDER "/db/") + QString::fromLatin1(name);
}

inline std::string path(const QString &p) { return QFile::encodeName(p).toStdString(); }

inline SQLite::Database openReadOnly(const QString &file)
{
    return SQLite::Database(path(file), SQLite::OPEN_READONLY);
}

// A writable copy of a program-folder database inside `dir`.
inline QString writableCopy(const char *name, const QString &dir)
{
    const QString target = dir + QStringLiteral("/") + QString::fromLatin1(name);
    QFile::remove(target);
    QFile::copy(programDb(name), target);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

inline std::vector<std::string> tables(SQLite::Database &db)
{
    std::vector<std::string> out;
    SQLite::Statement q(db, "SELECT name FROM sqlite_master WHERE type='table' "
                            "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name");
    while (q.executeStep())
        out.push_back(q.getColumn(0).getString());
    return out;
}

struct Column {
    std::string name;
    std::string type;
    std::string defaultValue;
    bool primaryKey = false;
};

inline std::vector<Column> columns(SQLite::Database &db, const std::string &table)
{
    std::vector<Column> out;
    SQLite::Statement q(db, "PRAGMA table_info(\"" + table + "\")");
    while (q.executeStep()) {
        Column c;
        c.name = q.getColumn(1).getString();
        c.type = q.getColumn(2).getString();
        c.defaultValue = q.getColumn(4).isNull() ? std::string() : q.getColumn(4).getString();
        c.primaryKey = q.getColumn(5).getInt() > 0;
        out.push_back(c);
    }
    return out;
}

inline long long count(SQLite::Database &db, const std::string &sql)
{
    return db.execAndGet(sql).getInt64();
}

// The first column of the first row as text ("" for Null or no row).
inline std::string text(SQLite::Database &db, const std::string &sql)
{
    SQLite::Statement q(db, sql);
    return q.executeStep() && !q.getColumn(0).isNull() ? q.getColumn(0).getString() : std::string();
}

} // namespace schema_test

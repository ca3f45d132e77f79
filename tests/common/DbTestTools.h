#pragma once

#include "project/RecentProjects.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <QCryptographicHash>
#include <QFile>
#include <QSettings>
#include <QString>

// Small tools for tests that look at files and databases from outside the
// data layer, so that what they check does not depend on the code under test.
namespace testtools {

// Empties the recent-project list of this test run.
inline void clearRecentProjects()
{
    QSettings settings(RecentProjects::Organisation, RecentProjects::Application);
    settings.remove(RecentProjects::Group);
    settings.sync();
}

// Runs SQLite statements on a database file.
inline void execSql(const QString &dbPath, const QString &sql)
{
    SQLite::Database db(dbPath.toStdString(), SQLite::OPEN_READWRITE);
    db.exec(sql.toStdString());
}

inline QString scalarText(const QString &dbPath, const QString &sql)
{
    SQLite::Database db(dbPath.toStdString(), SQLite::OPEN_READONLY);
    SQLite::Statement q(db, sql.toStdString());
    if (!q.executeStep() || q.getColumn(0).isNull())
        return {};
    return QString::fromStdString(q.getColumn(0).getString());
}

inline long long scalarInt(const QString &dbPath, const QString &sql)
{
    return scalarText(dbPath, sql).toLongLong();
}

inline QByteArray fileHash(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

} // namespace testtools

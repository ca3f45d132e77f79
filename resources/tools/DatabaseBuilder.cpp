#include "DatabaseBuilder.h"

#include "data/JetText.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>

#include <sqlite3.h>

namespace {

bool exec(sqlite3 *db, const QByteArray &sql, const QString &what, QString *error)
{
    char *message = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    *error = QStringLiteral("%1: %2").arg(what, QString::fromUtf8(message ? message : "unknown error"));
    sqlite3_free(message);
    return false;
}

// Every table whose name does not begin with "MSys" must have its row in
// MSysTables when the database has that table; a table added without its
// structure date would make every project look out of date.
bool checkStructureDates(sqlite3 *db, QString *error)
{
    sqlite3_stmt *st = nullptr;
    const char *hasCatalogue =
        "SELECT count(*) FROM sqlite_master WHERE type='table' AND name='MSysTables'";
    if (sqlite3_prepare_v2(db, hasCatalogue, -1, &st, nullptr) != SQLITE_OK)
        return false;
    sqlite3_step(st);
    const bool present = sqlite3_column_int(st, 0) > 0;
    sqlite3_finalize(st);
    if (!present)
        return true;

    const char *missing =
        "SELECT name FROM sqlite_master WHERE type='table'"
        " AND substr(name,1,4)<>'MSys' AND substr(name,1,7)<>'sqlite_'"
        " AND name NOT IN (SELECT Name FROM MSysTables WHERE DateUpdate IS NOT NULL)"
        " ORDER BY name";
    if (sqlite3_prepare_v2(db, missing, -1, &st, nullptr) != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(db));
        return false;
    }
    QStringList names;
    while (sqlite3_step(st) == SQLITE_ROW)
        names << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    if (names.isEmpty())
        return true;
    *error = QStringLiteral("tables without a structure date in MSysTables: %1").arg(names.join(u", "));
    return false;
}

} // namespace

bool DatabaseBuilder::build(const QString &target, const QStringList &scripts, QString *error)
{
    const QString temporary = target + QStringLiteral(".part");
    QFile::remove(temporary);

    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(temporary).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        *error = QStringLiteral("cannot create %1").arg(temporary);
        sqlite3_close(db);
        return false;
    }

    // Indexes on NOCASE text in the order every connection of the program
    // uses (user_version 1 says so; see Database).
    jettext::registerCollation(db);
    bool ok = exec(db, "PRAGMA journal_mode=DELETE; PRAGMA page_size=4096; PRAGMA user_version=1; BEGIN", temporary,
                   error);
    for (const QString &script : scripts) {
        if (!ok)
            break;
        QFile file(script);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read %1").arg(script);
            ok = false;
            break;
        }
        ok = exec(db, file.readAll(), QFileInfo(script).fileName(), error);
    }
    ok = ok && checkStructureDates(db, error);
    ok = ok && exec(db, "COMMIT", temporary, error);
    ok = ok && exec(db, "VACUUM", temporary, error);
    if (sqlite3_close(db) != SQLITE_OK && ok) {
        *error = QStringLiteral("cannot close %1").arg(temporary);
        ok = false;
    }

    if (ok) {
        // rename() replaces the target in one step: readers see the old
        // file or the new one, never none.
        std::error_code failure;
        std::filesystem::rename(QFile::encodeName(temporary).toStdString(),
                                QFile::encodeName(target).toStdString(), failure);
        if (failure) {
            *error = QStringLiteral("cannot rename %1 to %2").arg(temporary, target);
            ok = false;
        }
    }
    if (!ok)
        QFile::remove(temporary);
    return ok;
}

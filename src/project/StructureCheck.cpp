#include "StructureCheck.h"

#include "data/Database.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace {

const QString Catalogue = QStringLiteral("MSysTables");

bool isSystemTable(const QString &name)
{
    return name.startsWith(QLatin1String("MSys"));
}

QHash<QString, QDateTime> structureDates(Database &db)
{
    QHash<QString, QDateTime> dates;
    if (!db.tableExists(Catalogue))
        return dates;
    const QList<QVariantList> rows =
        db.queryRows(QStringLiteral("SELECT Name, DateUpdate FROM MSysTables"));
    for (const QVariantList &row : rows) {
        QDateTime date = row.value(1).toDateTime();
        if (!date.isValid())
            date = QDateTime::fromString(row.value(1).toString(), Qt::ISODate);
        dates.insert(row.value(0).toString(), date);
    }
    return dates;
}

void takeLatest(QDateTime &latest, const QDateTime &date)
{
    if (date.isValid() && (!latest.isValid() || date > latest))
        latest = date;
}

} // namespace

Database::OpenMode StructureCheck::readModeFor(const QString &path)
{
    // Only reading. A database in rollback-journal mode is opened read-only,
    // so that switching it to write-ahead logging does not change the file
    // when the user then declines the upgrade. One already in write-ahead
    // mode, or with a journal or log to fold in, is opened writable: a
    // read-only connection would leave its -wal and -shm files behind.
    if (QFileInfo::exists(path + QStringLiteral("-wal")) || QFileInfo::exists(path + QStringLiteral("-journal")))
        return Database::OpenMode::ReadWrite;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray header = file.read(20);
        if (header.size() == 20 && header.at(18) == 2)
            return Database::OpenMode::ReadWrite;
    }
    return Database::OpenMode::ReadOnly;
}

StructureCheck::Result StructureCheck::compare(Database &blank, Database &project)
{
    Result result;
    const QHash<QString, QDateTime> blankDates = structureDates(blank);
    const QHash<QString, QDateTime> projectDates = structureDates(project);

    QStringList remaining;
    for (const QString &name : blank.tableNames()) {
        if (isSystemTable(name))
            continue;
        remaining << name;
        takeLatest(result.blankLatest, blankDates.value(name));
    }
    for (const QString &name : project.tableNames()) {
        if (isSystemTable(name))
            continue;
        if (!remaining.contains(name)) {
            result.extraTables << name;
            continue;
        }
        remaining.removeOne(name);
        takeLatest(result.projectLatest, projectDates.value(name));
    }
    result.missingTables = remaining;
    result.upgradeNeeded = !result.extraTables.isEmpty() || !result.missingTables.isEmpty()
        || (result.blankLatest.isValid()
            && (!result.projectLatest.isValid() || result.blankLatest > result.projectLatest));
    return result;
}

StructureCheck::Result StructureCheck::compare(const QString &blankPath, const QString &projectPath)
{
    Database blank(blankPath, Database::OpenMode::ReadOnly);
    Database project(projectPath, readModeFor(projectPath));
    return compare(blank, project);
}

QString StructureCheck::Result::summary() const
{
    if (!upgradeNeeded)
        return QStringLiteral("La struttura del database è aggiornata.");
    QStringList why;
    if (!missingTables.isEmpty())
        why << QStringLiteral("tabelle mancanti: %1").arg(missingTables.join(QStringLiteral(", ")));
    if (!extraTables.isEmpty())
        why << QStringLiteral("tabelle non più previste: %1").arg(extraTables.join(QStringLiteral(", ")));
    if (missingTables.isEmpty() && extraTables.isEmpty())
        why << QStringLiteral("struttura del %1, quella attuale è del %2")
                   .arg(projectLatest.isValid() ? projectLatest.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"))
                                                : QStringLiteral("(data sconosciuta)"),
                        blankLatest.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
    return QStringLiteral("Il database va aggiornato (%1).").arg(why.join(QStringLiteral("; ")));
}

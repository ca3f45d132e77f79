#include "ProjectFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QUuid>

const QStringList &ProjectFolder::subfolders()
{
    static const QStringList folders = {
        QStringLiteral("db"),
        QStringLiteral("website"),
        QStringLiteral("website/demo"),
        QStringLiteral("website/demo/prodotti"),
        QStringLiteral("website/demo/prodotti/th"),
        QStringLiteral("website/asp"),
        QStringLiteral("website/images"),
        QStringLiteral("website/images/demo"),
        QStringLiteral("website/images/categorie"),
        QStringLiteral("website/images/prodotti"),
        QStringLiteral("website/images/prodotti/th"),
        QStringLiteral("website/images/prodotti/colori"),
        QStringLiteral("website/images/prodotti/colori/th"),
        QStringLiteral("website/images/prodotti/colori/dettagli"),
    };
    return folders;
}

ProjectFolder::ProjectFolder(const QString &path)
    : m_path(path.isEmpty() ? QString() : QDir::cleanPath(QDir(path).absolutePath()))
{
}

QString ProjectFolder::name() const
{
    return QFileInfo(m_path).fileName();
}

QString ProjectFolder::file(const QString &relative) const
{
    return QDir(m_path).filePath(relative);
}

bool ProjectFolder::exists() const
{
    return !m_path.isEmpty() && QFileInfo(m_path).isDir();
}

bool ProjectFolder::looksLikeProject() const
{
    return exists() && QFileInfo(file(QStringLiteral("db"))).isDir()
        && QFileInfo(file(SiteFolder)).isDir();
}

QString ProjectFolder::newTempDatabase() const
{
    return file(TempDatabasePrefix + QLatin1Char('-')
                + QUuid::createUuid().toString(QUuid::Id128).left(16) + QStringLiteral(".mdb"));
}

QStringList ProjectFolder::tempDatabaseFiles() const
{
    const QFileInfo prefix(file(TempDatabasePrefix));
    QDir dir(prefix.path());
    QStringList found;
    for (const QString &name : dir.entryList({prefix.fileName() + QStringLiteral("*")}, QDir::Files))
        found << dir.filePath(name);
    return found;
}

bool ProjectFolder::hasBackup() const
{
    return QFileInfo::exists(backup());
}

bool ProjectFolder::hasUpdateMarker() const
{
    return QFileInfo::exists(updateMarker());
}

#pragma once

#include <QString>
#include <QStringList>

// The layout of a project folder. The names are fixed: other programs (the
// synchronisation tool, the remote site) rely on them.
class ProjectFolder {
public:
    static inline const QString DatabaseFile = QStringLiteral("db/database.mdb");
    static inline const QString BackupFile = QStringLiteral("db/backup.mdb");
    static inline const QString LockFile = QStringLiteral("db/sync.lck");
    static inline const QString TemplateDatabaseFile = QStringLiteral("db/progettografico.mdb");
    // Temporary databases (upgrade, import) are named tempdb-<unique>.mdb.
    static inline const QString TempDatabasePrefix = QStringLiteral("db/tempdb");
    static inline const QString PathIniFile = QStringLiteral("path.ini");
    static inline const QString UpdateMarkerFile = QStringLiteral("upd.znf");
    static inline const QString SiteFolder = QStringLiteral("website");
    static inline const QString AspFolder = QStringLiteral("website/asp");
    static inline const QString ImagesFolder = QStringLiteral("website/images");

    // The folders a new project gets, in the order they are made.
    static const QStringList &subfolders();

    ProjectFolder() = default;
    // The path is kept absolute and without a trailing separator.
    explicit ProjectFolder(const QString &path);

    bool isEmpty() const { return m_path.isEmpty(); }
    QString path() const { return m_path; }
    // The last component of the path: the project's name.
    QString name() const;
    QString file(const QString &relative) const;

    QString database() const { return file(DatabaseFile); }
    QString backup() const { return file(BackupFile); }
    QString lockFile() const { return file(LockFile); }
    QString templateDatabase() const { return file(TemplateDatabaseFile); }
    // A path for a new temporary database that no other run uses.
    QString newTempDatabase() const;
    // The temporary databases present (with their journal files).
    QStringList tempDatabaseFiles() const;
    QString pathIni() const { return file(PathIniFile); }
    QString updateMarker() const { return file(UpdateMarkerFile); }

    bool exists() const;
    // A folder counts as a project when it has a db and a website subfolder.
    bool looksLikeProject() const;
    bool hasBackup() const;
    bool hasUpdateMarker() const;

private:
    QString m_path;
};

#include "ProjectCreator.h"

#include "data/DataError.h"
#include "data/DatabaseFiles.h"

#include <QDir>
#include <QStandardPaths>
#include <QFile>
#include <QFileInfo>

namespace {

// Copies a plain file over target; the copy is writable whatever the
// source's permissions (an installed program folder is read-only).
bool copyPlainFile(const QString &source, const QString &target, QString *error)
{
    if (QFileInfo::exists(target)) {
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
        if (!QFile::remove(target)) {
            *error = QStringLiteral("impossibile sostituire %1").arg(target);
            return false;
        }
    }
    if (!QFile::copy(source, target)) {
        *error = QStringLiteral("impossibile copiare %1 in %2").arg(source, target);
        return false;
    }
    QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner
                                      | QFileDevice::ReadOwner);
    return true;
}

} // namespace

ProjectCreator::Report ProjectCreator::create(const ProjectFolder &project,
                                              const ProgramFolder &program)
{
    Report report;
    if (!project.exists()) {
        // Never fill the current folder or a path that is not there.
        report.failures << QStringLiteral("la cartella del progetto non esiste: %1").arg(project.path());
        return report;
    }
    const QDir root(project.path());

    for (const QString &folder : ProjectFolder::subfolders()) {
        if (QFileInfo(root.filePath(folder)).isDir())
            continue;
        if (root.mkdir(folder))
            report.createdFolders << folder;
        else
            report.failures << QStringLiteral("impossibile creare la cartella %1").arg(folder);
    }

    const QList<QPair<QString, QString>> databases = {
        {program.blankDatabase(), ProjectFolder::DatabaseFile},
        {program.blankTemplateDatabase(), ProjectFolder::TemplateDatabaseFile},
    };
    for (const auto &[source, relative] : databases) {
        if (!QFileInfo(source).isFile()) {
            report.failures << QStringLiteral("file mancante nella cartella del programma: %1").arg(source);
            continue;
        }
        try {
            DatabaseFiles::copy(source, project.file(relative));
            QFile::setPermissions(project.file(relative),
                                  QFile::permissions(project.file(relative)) | QFileDevice::WriteOwner);
            report.copiedFiles << relative;
        } catch (const DataError &e) {
            report.failures << e.text();
        }
    }

    const QDir pages(program.systemPages());
    if (!pages.exists()) {
        report.failures << QStringLiteral("cartella mancante nella cartella del programma: %1")
                               .arg(program.systemPages());
    } else {
        const QStringList files = pages.entryList(QDir::Files | QDir::Hidden, QDir::Name);
        for (const QString &name : files) {
            const QString relative = ProjectFolder::AspFolder + QLatin1Char('/') + name;
            QString error;
            if (copyPlainFile(pages.filePath(name), project.file(relative), &error))
                report.copiedFiles << relative;
            else
                report.failures << error;
        }
    }
    return report;
}

QString ProjectCreator::defaultParentFolder()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return QDir(documents).filePath(QStringLiteral("projects"));
}

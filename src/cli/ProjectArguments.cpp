#include "ProjectArguments.h"

#include "project/ProjectSession.h"

#include <QDir>
#include <QFileInfo>

std::optional<ProjectArguments> ProjectArguments::parse(const QStringList &arguments,
                                                        const QString &usage, QTextStream &err,
                                                        bool allowRecent)
{
    QStringList args = arguments;
    bool missingValue = false;
    ProgramFolder program = ProgramFolder::fromArguments(args, &missingValue);
    const bool recent = allowRecent && args.removeAll(QStringLiteral("--recent")) > 0;
    if (missingValue || args.size() != 1 || args.first().startsWith(QLatin1String("--"))) {
        err << "Uso: zanfira-cli " << usage << "\n";
        return std::nullopt;
    }
    return ProjectArguments{program, ProjectFolder(args.first()), recent};
}

std::unique_ptr<ProjectLock> ProjectArguments::prepareNewProjectFolder(QTextStream &out,
                                                                       QTextStream &err) const
{
    if (QFileInfo::exists(project.path()) && !QFileInfo(project.path()).isDir()) {
        err << "Il percorso indicato è un file, non una cartella: " << project.path() << "\n";
        return nullptr;
    }
    if (!QFileInfo::exists(program.blankDatabase())) {
        err << "Cartella del programma non valida (manca " << program.blankDatabase() << ")\n";
        return nullptr;
    }
    const bool existed = QFileInfo(project.path()).isDir();
    if (QFileInfo::exists(project.database())) {
        err << "La cartella contiene già un progetto (" << ProjectFolder::DatabaseFile
            << "): " << project.path() << "\n";
        return nullptr;
    }
    if (!QDir().mkpath(project.file(QStringLiteral("db")))) {
        err << "Impossibile creare la directory! " << project.path() << "\n";
        return nullptr;
    }
    auto lock = std::make_unique<ProjectLock>(project);
    if (lock->tryAcquire() != ProjectLock::Result::Acquired) {
        err << lock->refusalText() << "\n";
        return nullptr;
    }
    // Checked again under the lock: another process may have made it meanwhile.
    if (QFileInfo::exists(project.database())) {
        err << "La cartella contiene già un progetto (" << ProjectFolder::DatabaseFile
            << "): " << project.path() << "\n";
        return nullptr;
    }
    if (!existed)
        out << "Creata la cartella " << project.path() << "\n";
    return lock;
}

bool ProjectArguments::checkReadable(const ProjectFolder &project, QTextStream &err)
{
    if (!project.exists()) {
        err << ProjectSession::MissingProjectText << " (" << project.path() << ")\n";
        return false;
    }
    if (!project.looksLikeProject() || !QFileInfo(project.database()).isFile()) {
        err << ProjectSession::InvalidProjectText << " (" << project.path() << ")\n";
        return false;
    }
    return true;
}

std::unique_ptr<ProjectLock> ProjectArguments::lockForWriting(const ProjectFolder &project,
                                                              QTextStream &out, QTextStream &err)
{
    if (!checkReadable(project, err))
        return nullptr;
    const QFileInfo dbFolder(project.file(QStringLiteral("db")));
    const QFileInfo dbFile(project.database());
    if (!dbFolder.isWritable() || !dbFile.isWritable()) {
        err << "La cartella del progetto è in sola lettura: " << project.path() << "\n";
        return nullptr;
    }
    auto lock = std::make_unique<ProjectLock>(project);
    if (lock->tryAcquire() != ProjectLock::Result::Acquired) {
        err << lock->refusalText() << "\n";
        return nullptr;
    }
    if (project.hasBackup()) {
        QString error;
        if (!ProjectSession::recoverLeftoverBackup(project, &error)) {
            err << error << "\n";
            return nullptr;
        }
        out << "Ripristinata la copia del database lasciata da una chiusura non regolare ("
            << ProjectFolder::BackupFile << ").\n";
    }
    return lock;
}

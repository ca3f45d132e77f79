#include "ProjectArguments.h"

#include <QDir>
#include <QFileInfo>

std::optional<ProjectArguments> ProjectArguments::parse(const QStringList &arguments,
                                                        const QString &usage, QTextStream &err)
{
    QStringList args = arguments;
    bool missingValue = false;
    ProgramFolder program = ProgramFolder::fromArguments(args, &missingValue);
    if (missingValue || args.size() != 1) {
        err << "Uso: zanfira-cli " << usage << "\n";
        return std::nullopt;
    }
    return ProjectArguments{program, ProjectFolder(args.first())};
}

bool ProjectArguments::prepareNewProjectFolder(QTextStream &out, QTextStream &err) const
{
    if (QFileInfo::exists(project.path()) && !QFileInfo(project.path()).isDir()) {
        err << "Il percorso indicato è un file, non una cartella: " << project.path() << "\n";
        return false;
    }
    if (QFileInfo::exists(project.database())) {
        err << "La cartella contiene già un progetto (" << ProjectFolder::DatabaseFile
            << "): " << project.path() << "\n";
        return false;
    }
    if (!QFileInfo::exists(program.blankDatabase())) {
        err << "Cartella del programma non valida (manca " << program.blankDatabase() << ")\n";
        return false;
    }
    if (!QFileInfo(project.path()).isDir()) {
        if (!QDir().mkpath(project.path())) {
            err << "Impossibile creare la directory! " << project.path() << "\n";
            return false;
        }
        out << "Creata la cartella " << project.path() << "\n";
    }
    return true;
}

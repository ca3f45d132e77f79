// zanfira-cli new PROJECTDIR: creates a project folder as the "Nuovo"
// command does, without the closing message box.
#include "CliVerb.h"

#include "project/ProgramFolder.h"
#include "project/ProjectCreator.h"
#include "project/ProjectFolder.h"
#include "project/RecentProjects.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

int runNew(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = arguments;
    bool missingValue = false;
    const ProgramFolder program = ProgramFolder::fromArguments(args, &missingValue);
    if (missingValue || args.size() != 1) {
        err << "Uso: zanfira-cli new [--program-folder CARTELLA] CARTELLA_PROGETTO\n";
        return 2;
    }

    const ProjectFolder project(args.first());
    if (QFileInfo::exists(project.path()) && !QFileInfo(project.path()).isDir()) {
        err << "Il percorso indicato è un file, non una cartella: " << project.path() << "\n";
        return 1;
    }
    // Never fill a folder that already holds a project: its database would
    // be overwritten by the blank one.
    if (QFileInfo::exists(project.database())) {
        err << "La cartella contiene già un progetto (" << ProjectFolder::DatabaseFile
            << "): " << project.path() << "\n";
        return 1;
    }
    if (!QFileInfo::exists(program.blankDatabase())) {
        err << "Cartella del programma non valida (manca " << program.blankDatabase() << ")\n";
        return 1;
    }
    if (!QFileInfo(project.path()).isDir()) {
        if (!QDir().mkpath(project.path())) {
            err << "Impossibile creare la directory! " << project.path() << "\n";
            return 1;
        }
        out << "Creata la cartella " << project.path() << "\n";
    }

    const ProjectCreator::Report report = ProjectCreator::create(project, program);
    RecentProjects recent;
    recent.add(project.path());

    out << "Progetto: " << project.path() << "\n";
    out << "Cartella del programma: " << program.path() << "\n";
    out << "Cartelle create: " << report.createdFolders.size() << "\n";
    for (const QString &f : report.createdFolders)
        out << "  " << f << "\n";
    out << "File copiati: " << report.copiedFiles.size() << "\n";
    for (const QString &f : report.copiedFiles)
        out << "  " << f << "\n";
    out << "Aggiunto ai progetti recenti.\n";
    out.flush();
    if (!report.ok()) {
        for (const QString &f : report.failures)
            err << "Errore: " << f << "\n";
        return 1;
    }
    return 0;
}

CliVerbRegistrar registrar({QStringLiteral("new"),
                            QStringLiteral("new [--program-folder CARTELLA] CARTELLA_PROGETTO"),
                            runNew});

} // namespace

// zanfira-cli new PROJECTDIR: creates a project folder as the "Nuovo"
// command does, without the closing message box. With --recent the project
// also goes on the desktop client's recent list.
#include "CliVerb.h"
#include "ProjectArguments.h"

#include "project/ProgramFolder.h"
#include "project/ProjectCreator.h"
#include "project/ProjectFolder.h"
#include "project/RecentProjects.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

const QString NewUsage = QStringLiteral("new [--program-folder CARTELLA] [--recent] CARTELLA_PROGETTO");

int runNew(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const auto parsed = ProjectArguments::parse(arguments, NewUsage, err, true);
    if (!parsed)
        return 2;
    const auto lock = parsed->prepareNewProjectFolder(out, err);
    if (!lock)
        return 1;
    const ProjectFolder &project = parsed->project;
    const ProgramFolder &program = parsed->program;

    const ProjectCreator::Report report = ProjectCreator::create(project, program);
    if (parsed->addToRecent)
        RecentProjects().add(project.path());

    out << "Progetto: " << project.path() << "\n";
    out << "Cartella del programma: " << program.path() << "\n";
    out << "Cartelle create: " << report.createdFolders.size() << "\n";
    for (const QString &f : report.createdFolders)
        out << "  " << f << "\n";
    out << "File copiati: " << report.copiedFiles.size() << "\n";
    for (const QString &f : report.copiedFiles)
        out << "  " << f << "\n";
    if (parsed->addToRecent)
        out << "Aggiunto ai progetti recenti.\n";
    out.flush();
    if (!report.ok()) {
        for (const QString &f : report.failures)
            err << "Errore: " << f << "\n";
        return 1;
    }
    return 0;
}

CliVerbRegistrar registrar({QStringLiteral("new"), NewUsage, runNew});

} // namespace

// zanfira-cli demo PROJECTDIR: creates a project as "new" does and fills it
// with a small bilingual shop (Italian and English): three levels of
// categories, about forty products with prices, offers, variants, colours,
// size tables and pictures. Everything is written through the table classes
// and the imaging code the editors use, so the project looks exactly as if
// a shop's staff had typed it in. --recent puts it on the desktop client's
// recent list.
#include "CliVerb.h"
#include "DemoCatalogue.h"
#include "DemoStorefront.h"
#include "ProjectArguments.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "project/ProjectCreator.h"
#include "project/RecentProjects.h"

#include <QTextStream>

namespace {

const QString DemoUsage = QStringLiteral("demo [--program-folder CARTELLA] [--recent] CARTELLA_PROGETTO");

int runDemo(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const auto parsed = ProjectArguments::parse(arguments, DemoUsage, err, true);
    if (!parsed)
        return 2;
    const auto lock = parsed->prepareNewProjectFolder(out, err);
    if (!lock)
        return 1;
    const ProjectFolder &project = parsed->project;
    const ProgramFolder &program = parsed->program;
    const ProjectCreator::Report report = ProjectCreator::create(project, program);
    if (!report.ok()) {
        for (const QString &f : report.failures)
            err << "Errore: " << f << "\n";
        return 1;
    }
    try {
        Database db(project.database());
        const DemoCatalogueCounts demo = fillDemoCatalogue(db, project.path() + QLatin1Char('/'));
        out << "Progetto dimostrativo: " << project.path() << "\n"
            << "Lingue attive: it, en\n"
            << "Categorie: " << demo.categories << "\n"
            << "Prodotti (varianti comprese): " << demo.products << "\n"
            << "Colori: " << demo.colours << "\n"
            << "Immagini: " << demo.images << "\n";
    } catch (const DataError &e) {
        err << "Errore: " << e.text() << "\n";
        return 1;
    }
    if (!writeDemoStorefront(project.path())) {
        err << "Errore: impossibile scrivere la pagina del negozio in website/asp\n";
        return 1;
    }
    out << "Pagina del negozio: website/asp/default.asp\n";
    if (parsed->addToRecent) {
        RecentProjects().add(project.path());
        out << "Aggiunto ai progetti recenti.\n";
    }
    return 0;
}

CliVerbRegistrar registrar({QStringLiteral("demo"), DemoUsage, runDemo});

} // namespace

// zanfira-cli generate PROJECTDIR: rebuilds the project's site from its
// template database without windows, as "Rigenera intero progetto" does
// (system pages copied, every page with children regenerated), and rewrites
// the stylesheet of every category. Prints each file written; a file that
// cannot be written is reported on stderr and the rest is still generated.
#include "CliVerb.h"
#include "ProjectArguments.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "designer/AspGenerator.h"
#include "designer/OutputWriter.h"
#include "designer/StylesheetGenerator.h"
#include "designer/TemplateModel.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

const QString GenerateUsage = QStringLiteral("generate [--program-folder CARTELLA] CARTELLA_PROGETTO");

int runGenerate(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const auto parsed = ProjectArguments::parse(arguments, GenerateUsage, err);
    if (!parsed)
        return 2;
    const ProjectFolder &project = parsed->project;
    const QString templatePath = project.templateDatabase();
    if (!QFileInfo(templatePath).isFile()) {
        err << "Il progetto non ha un database del modello grafico (" << templatePath
            << "): niente da generare.\n";
        return 1;
    }
    OutputWriter writer;
    try {
        Database db(templatePath, Database::OpenMode::ReadOnly);
        const TemplateModel model = TemplateModel::load(db);
        AspGenerator asp(model, project.path(), parsed->program.path(), writer);
        asp.regenerateProject();
        StylesheetGenerator css(model, project.path(), writer);
        css.updateAll();
    } catch (const DataError &e) {
        err << "Errore nel database del modello grafico: " << e.message() << "\n";
        return 1;
    }
    const QDir root(project.path());
    for (const QString &path : writer.written())
        out << "Scritto: " << root.relativeFilePath(path) << "\n";
    out.flush();
    for (const QString &failure : writer.failures())
        err << failure << "\n";
    return writer.failures().isEmpty() ? 0 : 1;
}

CliVerbRegistrar registrar({QStringLiteral("generate"), GenerateUsage, runGenerate});

} // namespace

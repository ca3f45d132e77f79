// zanfira-cli upgrade PROJECTDIR: the structure check of project opening
// and, when needed, the upgrade of the project database, without windows.
#include "CliVerb.h"
#include "ProjectArguments.h"

#include "data/DataError.h"
#include "project/DatabaseProbe.h"
#include "project/DatabaseUpgrade.h"
#include "project/ProgramFolder.h"
#include "project/ProjectFolder.h"
#include "project/StructureCheck.h"

#include <QFileInfo>
#include <QTextStream>

namespace {

const QString UpgradeUsage = QStringLiteral("upgrade [--program-folder CARTELLA] CARTELLA_PROGETTO");

int runUpgrade(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const auto parsed = ProjectArguments::parse(arguments, UpgradeUsage, err);
    if (!parsed)
        return 2;
    const ProjectFolder &project = parsed->project;
    const ProgramFolder &program = parsed->program;
    const auto lock = ProjectArguments::lockForWriting(project, out, err);
    if (!lock)
        return 1;

    for (const QString &path : {program.blankDatabase(), project.database()}) {
        const DatabaseProbe::State state = DatabaseProbe::check(path);
        if (state != DatabaseProbe::State::Ok) {
            err << "Database non utilizzabile: " << path << " (" << DatabaseProbe::describe(state) << ")\n";
            return 1;
        }
    }

    StructureCheck::Result check;
    try {
        check = StructureCheck::compare(program.blankDatabase(), project.database());
    } catch (const DataError &e) {
        err << "Impossibile verificare la struttura del database: " << e.text() << "\n";
        return 1;
    }
    out << check.summary() << "\n";
    if (!check.upgradeNeeded) {
        out << "Nessun aggiornamento necessario.\n";
        return 0;
    }

    DatabaseUpgrade upgrade(program, project);
    DatabaseUpgrade::Progress progress;
    progress.tableLabel = [&out](const QString &text) {
        if (!text.isEmpty())
            out << text << "\n" << Qt::flush;
    };
    upgrade.setProgress(progress);
    const DatabaseUpgrade::Result result = upgrade.run();
    if (result != DatabaseUpgrade::Result::Done) {
        err << "Il progetto non è stato aggiornato e pertanto non può essere aperto.\n";
        if (!upgrade.errorText().isEmpty())
            err << upgrade.errorText() << "\n";
        return 1;
    }

    const DatabaseUpgrade::Summary &s = upgrade.summary();
    out << "Aggiornamento effettuato con successo.\n";
    out << "Versione del database: " << s.oldVersion << " -> " << DatabaseUpgrade::CurrentVersion << "\n";
    out << "Tabelle copiate: " << s.tablesCopied << ", righe copiate: " << s.rowsCopied << "\n";
    if (!s.droppedTables.isEmpty())
        out << "Tabelle non più previste (dati non copiati): " << s.droppedTables.join(QStringLiteral(", ")) << "\n";
    out << "Parole chiave convertite: " << s.keywordRows << "\n";
    out << "Collegamenti prodotti-categorie: " << s.categoryLinks << "\n";
    out << "Collegamenti articoli-sezioni: " << s.articleLinks << "\n";
    out << "Cambi arrotondati: " << s.ratesRounded << "\n";
    out << "Voci del dizionario aggiunte: " << s.dictionaryEntries << " (testi: " << s.dictionaryTexts << ")\n";
    out << "Opzioni aggiunte: " << s.options << "\n";
    for (const QString &note : s.notes)
        out << "Nota: " << note << "\n";
    return 0;
}

CliVerbRegistrar registrar({QStringLiteral("upgrade"), UpgradeUsage, runUpgrade});

} // namespace

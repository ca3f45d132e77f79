#pragma once

#include "project/ProgramFolder.h"
#include "project/ProjectFolder.h"

#include <QString>
#include <QStringList>

// Fills an existing, empty project folder from the program folder: the
// site's folders, the blank project and template databases, and the
// system pages of the site.
class ProjectCreator {
public:
    // Shown once the project exists.
    static inline const QString NoticeTitle = QStringLiteral("Zanfira");
    static inline const QString NoticeText = QStringLiteral(
        "ATTENZIONE: prima di aggiornare i dati del sito con il progetto appena creato è "
        "necessario procedere alla configurazione dei parametri generali e di quelli aziendali.\n"
        "In caso contrario possono verificarsi malfunzionamenti del sito che comunque "
        "scompariranno dopo la corretta configurazione.");

    struct Report {
        QStringList createdFolders;   // relative to the project folder
        QStringList copiedFiles;      // relative to the project folder
        QStringList failures;         // one readable line per failed step
        bool ok() const { return failures.isEmpty(); }
    };

    // Creates the folders in their fixed order, copies the blank databases
    // (overwriting) and every file of template/system into website/asp
    // (overwriting). A failed step does not stop the others; it is listed in
    // the report.
    static Report create(const ProjectFolder &project, const ProgramFolder &program);
};

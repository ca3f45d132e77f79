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
    // The same notice for a program that does not offer the parameter
    // editors yet: it names only commands the menus have.
    static inline const QString NoticeWithoutParametersText = QStringLiteral(
        "ATTENZIONE: prima di inserire i dati del sito nel progetto appena creato è "
        "necessario attivare le lingue del sito (Configurazione, Lingue) e controllare "
        "le valute (Configurazione, Valute).");

    // Where new projects go unless the user chooses otherwise: "projects" in
    // the user's documents (the program folder may be read-only once
    // installed, and lies inside the build tree of a developer build).
    static QString defaultParentFolder();

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

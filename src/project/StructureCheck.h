#pragma once

#include "data/Database.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// Decides whether a project database was made by an older version: it is
// when the blank database of the program folder has a table that the
// project lacks, when the project has a table that the blank database does
// not have, or when the newest structure date of the blank database's tables
// is later than the project's. Tables whose name begins with "MSys" are
// left out; the dates come from the MSysTables catalogue (Name, DateUpdate).
class StructureCheck {
public:
    struct Result {
        bool upgradeNeeded = false;
        QStringList missingTables;   // in the blank database, not in the project
        QStringList extraTables;     // in the project, not in the blank database
        QDateTime blankLatest;       // invalid when no date is recorded
        QDateTime projectLatest;
        // One line saying why (or that nothing needs doing), for the command line.
        QString summary() const;
    };

    static Result compare(Database &blank, Database &project);
    // Opens both files for the comparison. Throws DataError when one of them
    // cannot be read as a database.
    static Result compare(const QString &blankPath, const QString &projectPath);
    // How to open a project database only to read it: read-only, unless a
    // journal or log left by a crash must first be folded in.
    static Database::OpenMode readModeFor(const QString &path);
};

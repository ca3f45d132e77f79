#pragma once

#include "project/ProgramFolder.h"
#include "project/ProjectFolder.h"
#include "project/ProjectLock.h"

#include <QStringList>
#include <QTextStream>

#include <memory>
#include <optional>

// The arguments shared by the verbs that work on one project folder:
// [--program-folder DIR] [--recent] PROJECTDIR, and the checks every verb
// that writes a project makes before it starts.
struct ProjectArguments {
    ProgramFolder program;
    ProjectFolder project;
    // --recent: put the project on the desktop client's recent list.
    bool addToRecent = false;

    // Reads the arguments; on a usage error prints "Uso: zanfira-cli <usage>"
    // to err and returns nothing. --recent is accepted only when allowRecent.
    static std::optional<ProjectArguments> parse(const QStringList &arguments,
                                                 const QString &usage, QTextStream &err,
                                                 bool allowRecent = false);

    // Gets the folder ready to receive a new project and locks it: refuses a
    // file or a folder that already holds a project database (it would be
    // overwritten by the blank one) and a program folder without its blank
    // database, and creates the folder when missing. Prints what is wrong to
    // err and returns null.
    std::unique_ptr<ProjectLock> prepareNewProjectFolder(QTextStream &out, QTextStream &err) const;

    // Gets an existing project ready to be written by this process: it must
    // be a project with a writable database, nobody else may hold it (the
    // desktop client, a preview, another verb), and a database copy left by a
    // preview that did not end normally is put back first, so that what this
    // verb writes is never undone by that copy later. Prints what is wrong to
    // err and returns null; the lock is held as long as the result lives.
    static std::unique_ptr<ProjectLock> lockForWriting(const ProjectFolder &project,
                                                       QTextStream &out, QTextStream &err);
    // Checks that a project can be read (no lock taken).
    static bool checkReadable(const ProjectFolder &project, QTextStream &err);
};

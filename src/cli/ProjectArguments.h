#pragma once

#include "project/ProgramFolder.h"
#include "project/ProjectFolder.h"

#include <QStringList>
#include <QTextStream>

#include <optional>

// The arguments shared by the verbs that work on one project folder:
// [--program-folder DIR] PROJECTDIR.
struct ProjectArguments {
    ProgramFolder program;
    ProjectFolder project;

    // Reads the arguments; on a usage error prints "Uso: zanfira-cli <usage>"
    // to err and returns nothing.
    static std::optional<ProjectArguments> parse(const QStringList &arguments,
                                                 const QString &usage, QTextStream &err);

    // Gets the folder ready to receive a new project: refuses a file or a
    // folder that already holds a project database (it would be overwritten
    // by the blank one) and a program folder without its blank database, and
    // creates the folder when missing. Prints what is wrong to err.
    bool prepareNewProjectFolder(QTextStream &out, QTextStream &err) const;
};

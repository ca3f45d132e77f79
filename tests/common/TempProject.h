#pragma once

#include "TempDir.h"

#include "project/ProgramFolder.h"
#include "project/ProjectCreator.h"
#include "project/ProjectFolder.h"

#include <QString>

// A project folder in a temporary folder, filled by the same code as the
// "Nuovo" command, from the build's program folder (ZANFIRA_HOME when set).
// The recent-project list is not touched.
class TempProject {
public:
    explicit TempProject(const QString &name = QStringLiteral("prova"));

    bool isValid() const { return m_valid; }
    QString path() const { return m_folder.path(); }
    const ProjectFolder &folder() const { return m_folder; }
    const ProgramFolder &program() const { return m_program; }
    const ProjectCreator::Report &report() const { return m_report; }
    // The temporary folder holding the project (free for other files).
    const TempDir &tempDir() const { return m_dir; }

    // The program folder tests use.
    static ProgramFolder testProgramFolder();

private:
    TempDir m_dir;
    ProgramFolder m_program;
    ProjectFolder m_folder;
    ProjectCreator::Report m_report;
    bool m_valid = false;
};

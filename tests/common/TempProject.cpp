#include "TempProject.h"

#include <QDir>

ProgramFolder TempProject::testProgramFolder()
{
    const QString home = qEnvironmentVariable("ZANFIRA_HOME");
    if (!home.isEmpty())
        return ProgramFolder(home);
#ifdef ZANFIRA_PROGRAM_FOLDER_DEFAULT
    return ProgramFolder(QStringLiteral(ZANFIRA_PROGRAM_FOLDER_DEFAULT));
#else
    return ProgramFolder::locate();
#endif
}

TempProject::TempProject(const QString &name)
    : m_program(testProgramFolder())
{
    if (!m_dir.isValid())
        return;
    m_folder = ProjectFolder(m_dir.file(name));
    if (!QDir().mkdir(m_folder.path()))
        return;
    m_report = ProjectCreator::create(m_folder, m_program);
    m_valid = m_report.ok();
}

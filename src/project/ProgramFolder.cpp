#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

ProgramFolder &currentFolder()
{
    static ProgramFolder folder;
    return folder;
}

bool isFolder(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

} // namespace

ProgramFolder::ProgramFolder(const QString &path)
    : m_path(path.isEmpty() ? QString() : QDir::cleanPath(QDir(path).absolutePath()))
{
}

ProgramFolder ProgramFolder::locate(const QString &option, const QString &executableDir)
{
    if (!option.isEmpty())
        return ProgramFolder(option);
    const QString home = qEnvironmentVariable("ZANFIRA_HOME");
    if (!home.isEmpty())
        return ProgramFolder(home);

    QString exeDir = executableDir;
    if (exeDir.isEmpty() && QCoreApplication::instance())
        exeDir = QCoreApplication::applicationDirPath();
    if (!exeDir.isEmpty()) {
        const QDir dir(exeDir);
        for (const QString &candidate : {QStringLiteral("../share/zanfira"),
                                         QStringLiteral("../programfolder")}) {
            const QString path = dir.filePath(candidate);
            if (isFolder(path))
                return ProgramFolder(path);
        }
    }
    return ProgramFolder(QDir::currentPath());
}

ProgramFolder ProgramFolder::fromArguments(QStringList &args, bool *missingValue)
{
    static const QString name = QStringLiteral("--program-folder");
    QString option;
    if (missingValue)
        *missingValue = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            if (i + 1 >= args.size()) {
                if (missingValue)
                    *missingValue = true;
                args.removeAt(i);
                break;
            }
            option = args[i + 1];
            args.remove(i, 2);
            break;
        }
        if (args[i].startsWith(name + QLatin1Char('='))) {
            option = args[i].mid(name.size() + 1);
            args.removeAt(i);
            break;
        }
    }
    return locate(option);
}

const ProgramFolder &ProgramFolder::current()
{
    if (currentFolder().isEmpty())
        currentFolder() = locate();
    return currentFolder();
}

void ProgramFolder::setCurrent(const ProgramFolder &folder)
{
    currentFolder() = folder;
}

QString ProgramFolder::file(const QString &relative) const
{
    return QDir(m_path).filePath(relative);
}

bool ProgramFolder::hasCdViewer() const
{
    return isFolder(file(QStringLiteral("cdviewer")));
}

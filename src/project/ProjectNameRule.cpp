#include "ProjectNameRule.h"

#include <QDir>
#include <QFileInfo>

bool ProjectNameRule::isAllowedCharacter(QChar c)
{
    return AllowedCharacters.contains(c);
}

bool ProjectNameRule::isAcceptable(const QString &text)
{
    if (text.size() > MaxNameLength)
        return false;
    for (QChar c : text) {
        if (!isAllowedCharacter(c))
            return false;
    }
    return true;
}

bool ProjectNameRule::isValid(const QString &name)
{
    return !name.isEmpty() && isAcceptable(name);
}

QString ProjectNameRule::directoryFor(const QString &baseFolder, const QString &name)
{
    QString base = baseFolder;
    while (base.size() > 1 && (base.endsWith(QLatin1Char('/')) || base.endsWith(QLatin1Char('\\'))))
        base.chop(1);
    if (base == QLatin1String("/"))
        return base + name;
    return base + QDir::separator() + name;
}

bool ProjectNameRule::createProjectDirectory(const QString &path)
{
    if (path.isEmpty() || path.size() > MaxDirectoryLength)
        return false;
    const QFileInfo info(path);
    if (info.exists())
        return false;
    // One level only: the parent must already be there.
    if (!QFileInfo(info.absolutePath()).isDir())
        return false;
    return QDir().mkdir(info.absoluteFilePath());
}

#include "FolderPathCheck.h"

#include "support/UiPort.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString ForbiddenCharacters = QStringLiteral("\"*/:<>?\\|");

#ifdef Q_OS_WIN
const QChar Separator = QLatin1Char('\\');
#else
const QChar Separator = QLatin1Char('/');
#endif

bool isEdgeCharacter(QChar c)
{
    return c == QLatin1Char('\t') || c == QLatin1Char(' ') || c == QLatin1Char('.');
}

} // namespace

bool FolderPathCheck::isValidComponent(const QString &component)
{
    if (component.isEmpty())
        return false;
    if (isEdgeCharacter(component.front()) || isEdgeCharacter(component.back()))
        return false;
    for (QChar c : component) {
        if (ForbiddenCharacters.contains(c))
            return false;
    }
    return true;
}

bool FolderPathCheck::split(const QString &path, QString *root, QStringList *components)
{
    if (path.size() > MaxTypedLength)
        return false;
    QString rootPart;
#ifdef Q_OS_WIN
    if (path.size() < 3 || !(path[0].isLetter() && path[0].unicode() < 128)
        || path[1] != QLatin1Char(':') || path[2] != QLatin1Char('\\'))
        return false;
    rootPart = path.left(3);
#else
    if (!path.startsWith(QLatin1Char('/')))
        return false;
    rootPart = QStringLiteral("/");
#endif
    const QString rest = path.mid(rootPart.size());
    QStringList parts;
    if (!rest.isEmpty()) {
        parts = rest.split(Separator);
        for (const QString &p : parts) {
            if (!isValidComponent(p))
                return false;
        }
    }
    if (root)
        *root = rootPart;
    if (components)
        *components = parts;
    return true;
}

bool FolderPathCheck::isWellFormed(const QString &path)
{
    return split(path, nullptr, nullptr);
}

FolderPathCheck::State FolderPathCheck::state(const QString &path)
{
    if (!isWellFormed(path))
        return State::Invalid;
    return QFileInfo(path).isDir() ? State::Exists : State::Missing;
}

QString FolderPathCheck::invalidText(const QString &path)
{
    return QStringLiteral("Il nome per la cartella:\n\n%1\n\nnon è corretto. Scegli un altro nome.").arg(path);
}

QString FolderPathCheck::createQuestion(const QString &path)
{
    return QStringLiteral("La cartella:\n\n%1\n\nnon esiste. Vuoi crearla?").arg(path);
}

QString FolderPathCheck::cannotCreateText(const QString &path)
{
    return QStringLiteral("La cartella:\n\n%1\n\nnon può essere creata.").arg(path);
}

bool FolderPathCheck::createMissingLevels(const QString &path)
{
    QString root;
    QStringList parts;
    if (!split(path, &root, &parts) || !QFileInfo(root).isDir())
        return false;
    QString level = root;
    for (const QString &part : parts) {
        if (!level.endsWith(Separator))
            level += Separator;
        level += part;
        if (!QFileInfo(level).isDir())
            QDir().mkdir(level);
        if (!QFileInfo(level).isDir())
            return false;
    }
    return true;
}

bool FolderPathCheck::accept(const QString &path, UiPort &ui)
{
    switch (state(path)) {
    case State::Invalid:
        ui.tell(Title, invalidText(path), UiPort::Icon::Exclamation);
        return false;
    case State::Missing:
        if (!ui.ask(Title, createQuestion(path)))
            return false;
        if (!createMissingLevels(path)) {
            ui.tell(Title, cannotCreateText(path), UiPort::Icon::Exclamation);
            return false;
        }
        return true;
    case State::Exists:
        return true;
    }
    return false;
}

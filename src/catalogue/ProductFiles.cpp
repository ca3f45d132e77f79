#include "ProductFiles.h"
#include "support/ValidationTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

ProductFiles::ProductFiles(const QString &projectFolder)
    : m_folder(projectFolder + QStringLiteral("website/images/prodotti/files"))
{
}

QStringList ProductFiles::codes(int productId) const
{
    const QString prefix = QStringLiteral("%1_").arg(productId);
    QStringList found;
    const QStringList names = QDir(m_folder).entryList({QStringLiteral("?%1*.*").arg(prefix)},
                                                       QDir::Files, QDir::Name);
    for (const QString &name : names) {
        if (name.startsWith(QLatin1Char('d'), Qt::CaseInsensitive) || name.mid(1, prefix.size()) != prefix)
            continue;
        const QString rest = name.mid(1 + prefix.size());
        const QString code = rest.left(rest.indexOf(QLatin1Char('.')));
        if (!code.isEmpty() && !found.contains(code))
            found << code;
    }
    return found;
}

QStringList ProductFiles::filesOf(int productId, const QString &code) const
{
    QStringList files;
    const QString stem = QStringLiteral("%1_%2").arg(productId).arg(code.toLower());
    const QStringList names =
        QDir(m_folder).entryList({QStringLiteral("?%1.*").arg(stem)}, QDir::Files, QDir::Name);
    for (const QString &name : names)
        if (name.mid(1, stem.size()).compare(stem, Qt::CaseInsensitive) == 0)
            files << QDir(m_folder).filePath(name);
    return files;
}

QString ProductFiles::checkNewCode(const QString &code, const QStringList &listed)
{
    if (code.trimmed().isEmpty())
        return ValidationTexts::Mandatory;
    if (listed.contains(code.trimmed().toLower(), Qt::CaseInsensitive))
        return ValidationTexts::DuplicateCode;
    return {};
}

QString ProductFiles::markerPath(int productId, const QString &code) const
{
    return QDir(m_folder).filePath(QStringLiteral("d%1_%2").arg(productId).arg(code.toLower()));
}

bool ProductFiles::attach(int productId, const QString &code, const QString &source, QString *error)
{
    if (!QDir().mkpath(m_folder)) {
        if (error)
            *error = m_folder;
        return false;
    }
    for (const QString &old : filesOf(productId, code))
        QFile::remove(old);
    QFile::remove(markerPath(productId, code));
    const QString target = QDir(m_folder).filePath(
        QStringLiteral("M%1_%2.%3").arg(productId).arg(code.toLower(), QFileInfo(source).suffix().toLower()));
    QFile::remove(target);
    if (!QFile::copy(source, target)) {
        if (error)
            *error = target;
        return false;
    }
    QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
    return true;
}

bool ProductFiles::remove(int productId, const QString &code)
{
    bool ok = true;
    for (const QString &file : filesOf(productId, code))
        ok = QFile::remove(file) && ok;
    QDir().mkpath(m_folder);
    QFile marker(markerPath(productId, code));
    return marker.open(QIODevice::WriteOnly | QIODevice::Truncate) && ok;
}

QString ProductFiles::firstFile(int productId, const QString &code) const
{
    const QStringList files = filesOf(productId, code);
    return files.isEmpty() ? QString() : files.first();
}

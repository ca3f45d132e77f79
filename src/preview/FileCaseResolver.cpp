#include "FileCaseResolver.h"

#include <QDir>
#include <QFileInfo>

namespace preview {

QString FileCaseResolver::resolve(const QString &base, const QString &path) const
{
    if (QFileInfo::exists(path))
        return path;
    const QString root = QDir::cleanPath(base);
    const QString clean = QDir::cleanPath(path);
    if (root.isEmpty() || !clean.startsWith(root + QLatin1Char('/')))
        return path;
    QString current = root;
    const QStringList parts = clean.mid(root.size() + 1).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QString exact = current + QLatin1Char('/') + part;
        if (QFileInfo::exists(exact)) {
            current = exact;
            continue;
        }
        const QString found = findInFolder(current, part);
        if (found.isEmpty())
            return path;
        current += QLatin1Char('/') + found;
    }
    return current;
}

QString FileCaseResolver::findInFolder(const QString &folder, const QString &name) const
{
    const QFileInfo info(folder);
    if (!info.isDir())
        return {};
    const QDateTime modified = info.lastModified();
    const QString key = name.toCaseFolded();
    auto it = m_listings.find(folder);
    if (it != m_listings.end() && it->modified == modified) {
        const QString cached = it->byFoldedName.value(key);
        // A file added within the clock's resolution of the listing leaves the
        // folder's time unchanged: a miss is checked against a fresh listing.
        if (!cached.isEmpty())
            return cached;
    }
    Listing listing;
    listing.modified = modified;
    const QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : names)
        listing.byFoldedName.insert(entry.toCaseFolded(), entry);
    it = m_listings.insert(folder, listing);
    return it->byFoldedName.value(key);
}

} // namespace preview

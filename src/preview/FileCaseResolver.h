#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

namespace preview {

// Site files come from Windows, where "Default.ASP" and "default.asp" are
// one file. When a path below a base folder does not exist as written, each
// missing component is looked up in its folder without regard to case.
// Each folder is listed once and kept until its modification time changes.
// Nothing above the base folder is ever looked at.
class FileCaseResolver {
public:
    // The existing path that differs from path only in the letter case of
    // its components below base, or path itself when it exists as written,
    // lies outside base, or has no such match. Both use "/" separators.
    QString resolve(const QString &base, const QString &path) const;

private:
    struct Listing {
        QDateTime modified;
        QHash<QString, QString> byFoldedName;  // case-folded name -> name on disk
    };
    QString findInFolder(const QString &folder, const QString &name) const;

    mutable QHash<QString, Listing> m_listings;
};

} // namespace preview

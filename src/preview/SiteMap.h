#pragma once

#include "FileCaseResolver.h"

#include <QString>
#include <QStringList>

namespace preview {

// The folders a preview server serves: the root folder that URL paths map
// to, and the virtual directories ("/images", "/db") with their folders.
// Aliases are kept ordered by length, shortest first; an alias of the same
// length as others goes after them. As on the Windows servers the sites come
// from, aliases and file names match in any letter case.
class SiteMap {
public:
    void setRootFolder(const QString &folder);
    QString rootFolder() const { return m_root; }
    void addVirtualDirectory(const QString &alias, const QString &folder);
    const QStringList &aliases() const { return m_aliases; }
    const QStringList &folders() const { return m_folders; }

    // The file a request path (the URL up to "?", not yet decoded) names, or
    // an empty string when the path must be answered 404: it does not start
    // with "/", holds a NUL, a backslash, a "." or ".." component (encoded
    // or not), or it leads outside the root or the alias folder it matched
    // (symbolic links included). "/" names "/default.asp". A path that
    // does not exist as written names the file whose name differs only in
    // letter case, when there is one (see resolveCase).
    QString mapUrl(const QString &urlPath) const;

    // The existing file or folder below base whose name differs from path
    // only in letter case; path itself when it exists or has no such match.
    QString resolveCase(const QString &base, const QString &path) const;

    // Server.MapPath: the alias folder (first alias, shortest first, that is
    // a prefix of the path, letters in any case) followed by the path after the one character
    // that follows the alias; else the root folder followed by the path.
    // Relative paths are taken from the root, never from the page's folder.
    // Separators come out as "/".
    QString mapPath(const QString &path) const;

    // The root and every alias folder: where pages may read and write.
    QStringList allFolders() const;

    // Decodes %xx escapes of a URL path into UTF-8 text (a "+" stays a
    // "+"); returns false for a malformed escape or text that is not UTF-8.
    static bool decodePath(const QString &path, QString &out);
    // True when path lies inside folder (both resolved, links followed).
    static bool isInside(const QString &path, const QString &folder);

private:
    QString m_root;
    FileCaseResolver m_case;
    QStringList m_aliases;
    QStringList m_folders;
};

} // namespace preview

#pragma once

#include "../Dispatch.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace vbs {

// Paths the file objects may touch. With no roots every path is allowed;
// otherwise a path must lie inside one of the root folders after "." and
// ".." are resolved and symbolic links followed, or error 70 (Permission
// denied) is raised.
class FileAccess {
public:
    explicit FileAccess(const QStringList &roots);
    // Absolute, clean path of a script path ("\" separators accepted);
    // raises 70 when it lies outside the roots.
    QString resolve(const QString &path) const;
    bool confined() const { return !m_roots.isEmpty(); }

private:
    QStringList m_roots; // canonical, each ending without a separator
};

// Scripting.FileSystemObject.
class FileSystemObject : public Dispatch {
public:
    explicit FileSystemObject(const QStringList &roots);
    QString typeName() const override { return QStringLiteral("FileSystemObject"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    Variant call(int id, CallArgs &args, bool wantResult) override;

private:
    FileAccess m_access;
};

// Converts a file time to an OLE date in local time.
double oleDateOf(const QDateTime &when);

} // namespace vbs

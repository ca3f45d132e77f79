#include "FileSystemObject.h"
#include "../ArgConversions.h"

#include "FileObjects.h"
#include "TextStream.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

namespace vbs {

namespace {

const MemberTable kMembers{"BuildPath", "CopyFile", "CopyFolder", "CreateFolder", "CreateTextFile",
                           "DeleteFile", "DeleteFolder", "DriveExists", "FileExists", "FolderExists",
                           "GetAbsolutePathName", "GetBaseName", "GetExtensionName", "GetFile",
                           "GetFileName", "GetFolder", "GetParentFolderName", "GetSpecialFolder",
                           "GetTempName", "MoveFile", "MoveFolder", "OpenTextFile", "GetDriveName"};
enum Member {
    BuildPath = 1, CopyFile, CopyFolder, CreateFolder, CreateTextFile, DeleteFile, DeleteFolder,
    DriveExists, FileExists, FolderExists, GetAbsolutePathName, GetBaseName, GetExtensionName, GetFile,
    GetFileName, GetFolder, GetParentFolderName, GetSpecialFolder, GetTempName, MoveFile, MoveFolder,
    OpenTextFile, GetDriveName
};

bool isSeparator(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); }

// The last component of a path, without trailing separators.
QString lastComponent(const QString &path)
{
    qsizetype end = path.size();
    while (end > 0 && isSeparator(path[end - 1]))
        --end;
    qsizetype start = end;
    while (start > 0 && !isSeparator(path[start - 1]))
        --start;
    return path.mid(start, end - start);
}

QString parentOf(const QString &path)
{
    qsizetype end = path.size();
    while (end > 0 && isSeparator(path[end - 1]))
        --end;
    while (end > 0 && !isSeparator(path[end - 1]))
        --end;
    while (end > 1 && isSeparator(path[end - 1]))
        --end;
    if (end == 1 && isSeparator(path[0]))
        return path.left(1);
    return path.left(end);
}

QString extensionOf(const QString &path)
{
    const QString name = lastComponent(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1);
}

QString baseNameOf(const QString &path)
{
    const QString name = lastComponent(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

Variant object(Dispatch *d) { return Variant(d); }

} // namespace

double oleDateOf(const QDateTime &when)
{
    const QDateTime local = when.toLocalTime();
    const QDate d = local.date();
    return dateFromParts(d.year(), d.month(), d.day(), local.time().msecsSinceStartOfDay() / 86400000.0);
}

FileAccess::FileAccess(const QStringList &roots)
{
    for (const QString &r : roots) {
        const QFileInfo fi(r);
        QString c = fi.canonicalFilePath();
        if (c.isEmpty())
            c = QDir::cleanPath(fi.absoluteFilePath());
        while (c.size() > 1 && c.endsWith(QLatin1Char('/')))
            c.chop(1);
        m_roots.append(c);
    }
}

QString FileAccess::resolve(const QString &path) const
{
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (p.isEmpty())
        raise(ErrPathNotFound);
    if (p.contains(QChar(0)))
        raise(52); // Bad file name or number
    const QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(p));
    if (m_roots.isEmpty())
        return absolute;
    // Follow links on the part that exists, then add what does not exist yet.
    QString existing = absolute;
    QString rest;
    while (!existing.isEmpty() && !QFileInfo::exists(existing)) {
        const qsizetype slash = existing.lastIndexOf(QLatin1Char('/'));
        if (slash < 0)
            break;
        rest = existing.mid(slash) + rest;
        existing = existing.left(slash);
    }
    QString real = existing.isEmpty() ? QStringLiteral("/") : QFileInfo(existing).canonicalFilePath();
    if (real.isEmpty())
        real = existing;
    const QString full = QDir::cleanPath(real + rest);
    for (const QString &root : m_roots) {
        if (full == root || full.startsWith(root == QLatin1String("/") ? root : root + QLatin1Char('/')))
            return absolute;
    }
    raise(ErrPermissionDenied);
}

FileSystemObject::FileSystemObject(const QStringList &roots) : m_access(roots) {}

int FileSystemObject::findMember(const QString &name) const { return kMembers.find(name); }
const void *FileSystemObject::memberKey() const { return &kMembers; }

Variant FileSystemObject::call(int id, CallArgs &a, bool)
{
    switch (id) {
    case BuildPath: {
        a.expect(2, 2);
        const QString base = textArg(a[0]);
        const QString name = textArg(a[1]);
        if (base.isEmpty() || isSeparator(base.back()) || (!name.isEmpty() && isSeparator(name[0])))
            return Variant(base + name);
        return Variant(base + QLatin1Char('/') + name);
    }
    case CopyFile:
        a.expect(2, 3);
        fileops::copyFile(m_access, textArg(a[0]), textArg(a[1]), boolArg(a, 2, true));
        return Variant();
    case CopyFolder:
        a.expect(2, 3);
        fileops::copyFolder(m_access, textArg(a[0]), textArg(a[1]), boolArg(a, 2, true));
        return Variant();
    case CreateFolder: {
        a.expect(1, 1);
        const QString p = m_access.resolve(textArg(a[0]));
        const QFileInfo fi(p);
        if (fi.exists())
            raise(ErrFileExists);
        if (!QFileInfo(fi.absolutePath()).isDir())
            raise(ErrPathNotFound);
        if (!QDir().mkdir(p))
            raise(ErrPermissionDenied);
        return object(new FolderItem(m_access, p));
    }
    case CreateTextFile: {
        a.expect(1, 3);
        const QString p = m_access.resolve(textArg(a[0]));
        const bool overwrite = boolArg(a, 1, true);
        const bool unicode = boolArg(a, 2, false);
        const QFileInfo fi(p);
        if (fi.isDir() || (fi.exists() && !overwrite))
            raise(ErrFileExists);
        return object(new TextStream(p, TextStream::ForWriting, unicode));
    }
    case DeleteFile:
        a.expect(1, 2);
        fileops::deleteFile(m_access, textArg(a[0]));
        return Variant();
    case DeleteFolder:
        a.expect(1, 2);
        fileops::deleteFolder(m_access, textArg(a[0]));
        return Variant();
    case DriveExists:
        a.expect(1, 1);
        return Variant(false);
    case FileExists:
    case FolderExists: {
        a.expect(1, 1);
        QString p;
        try {
            p = m_access.resolve(textArg(a[0]));
        } catch (const ScriptError &e) {
            if (e.number == ErrPermissionDenied || e.number == ErrPathNotFound)
                return Variant(false);
            throw;
        }
        const QFileInfo fi(p);
        return Variant(id == FileExists ? fi.isFile() : fi.isDir());
    }
    case GetAbsolutePathName: {
        a.expect(1, 1);
        QString p = textArg(a[0]);
        p.replace(QLatin1Char('\\'), QLatin1Char('/'));
        return Variant(QDir::cleanPath(QDir::current().absoluteFilePath(p)));
    }
    case GetBaseName:
        a.expect(1, 1);
        return Variant(baseNameOf(textArg(a[0])));
    case GetExtensionName:
        a.expect(1, 1);
        return Variant(extensionOf(textArg(a[0])));
    case GetFile: {
        a.expect(1, 1);
        const QString p = m_access.resolve(textArg(a[0]));
        if (!QFileInfo(p).isFile())
            raise(ErrFileNotFound);
        return object(new FileItem(m_access, p));
    }
    case GetFileName:
        a.expect(1, 1);
        return Variant(lastComponent(textArg(a[0])));
    case GetFolder: {
        a.expect(1, 1);
        const QString p = m_access.resolve(textArg(a[0]));
        if (!QFileInfo(p).isDir())
            raise(ErrPathNotFound);
        return object(new FolderItem(m_access, p));
    }
    case GetParentFolderName:
        a.expect(1, 1);
        return Variant(parentOf(textArg(a[0])));
    case GetSpecialFolder: {
        a.expect(1, 1);
        const int32_t which = longArg(a, 0, 2);
        if (which < 0 || which > 2)
            raise(ErrInvalidCall);
        const QString p = m_access.resolve(QDir::tempPath());
        return object(new FolderItem(m_access, p));
    }
    case GetTempName:
        a.expect(0, 0);
        return Variant(QStringLiteral("rad%1.tmp")
                           .arg(QRandomGenerator::global()->bounded(0x100000), 5, 16, QLatin1Char('0'))
                           .toUpper());
    case MoveFile:
        a.expect(2, 2);
        fileops::moveFile(m_access, textArg(a[0]), textArg(a[1]));
        return Variant();
    case MoveFolder:
        a.expect(2, 2);
        fileops::moveFolder(m_access, textArg(a[0]), textArg(a[1]));
        return Variant();
    case OpenTextFile: {
        a.expect(1, 4);
        const QString p = m_access.resolve(textArg(a[0]));
        const int32_t mode = longArg(a, 1, TextStream::ForReading);
        const bool create = boolArg(a, 2, false);
        const int32_t format = longArg(a, 3, 0);
        if (mode != TextStream::ForReading && mode != TextStream::ForWriting && mode != TextStream::ForAppending)
            raise(ErrInvalidCall);
        const QFileInfo fi(p);
        if (fi.isDir())
            raise(ErrPermissionDenied);
        if (!fi.exists()) {
            if (!QFileInfo(fi.absolutePath()).isDir())
                raise(ErrPathNotFound);
            if (mode == TextStream::ForReading || !create)
                raise(ErrFileNotFound);
        }
        return object(new TextStream(p, TextStream::Mode(mode), format == -1));
    }
    case GetDriveName:
        a.expect(1, 1);
        return Variant(QString());
    default:
        raise(ErrNoSuchMember);
    }
}

} // namespace vbs

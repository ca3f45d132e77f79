#include "FileObjects.h"
#include "../ArgConversions.h"

#include "ComponentSupport.h"
#include "TextStream.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace vbs {

namespace {

const MemberTable kFileMembers{"Name", "Path", "Size", "DateCreated", "DateLastModified",
                               "DateLastAccessed", "Type", "Attributes", "ParentFolder", "ShortName",
                               "ShortPath", "Delete", "Copy", "Move", "OpenAsTextStream"};
enum FileMember {
    FName = 1, FPath, FSize, FDateCreated, FDateLastModified, FDateLastAccessed, FType, FAttributes,
    FParentFolder, FShortName, FShortPath, FDelete, FCopy, FMove, FOpenAsTextStream
};

const MemberTable kFolderMembers{"Name", "Path", "Size", "DateCreated", "DateLastModified",
                                 "DateLastAccessed", "Type", "Attributes", "ParentFolder", "ShortName",
                                 "ShortPath", "Delete", "Copy", "Move", "Files", "SubFolders",
                                 "IsRootFolder", "CreateTextFile"};
enum FolderMember {
    DName = 1, DPath, DSize, DDateCreated, DDateLastModified, DDateLastAccessed, DType, DAttributes,
    DParentFolder, DShortName, DShortPath, DDelete, DCopy, DMove, DFiles, DSubFolders, DIsRootFolder,
    DCreateTextFile
};

const MemberTable kCollectionMembers{"Count", "Item"};

Variant dateOf(const QDateTime &when)
{
    return when.isValid() ? Variant::date(oleDateOf(when)) : Variant();
}

bool hasWildcards(const QString &s)
{
    return s.contains(QLatin1Char('*')) || s.contains(QLatin1Char('?'));
}

// The paths a path pattern names: one path, or the matches of wildcards
// in its last component.
QStringList expand(const FileAccess &access, const QString &spec, bool folders)
{
    QString s = spec;
    s.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const qsizetype slash = s.lastIndexOf(QLatin1Char('/'));
    const QString name = s.mid(slash + 1);
    if (!hasWildcards(name))
        return {access.resolve(s)};
    const QString dir = access.resolve(slash < 0 ? QStringLiteral(".") : s.left(slash + 1));
    if (!QFileInfo(dir).isDir())
        raise(ErrPathNotFound);
    const QStringList names = QDir(dir).entryList({name}, (folders ? QDir::Dirs : QDir::Files)
                                                              | QDir::NoDotAndDotDot | QDir::Hidden,
                                                   QDir::Name);
    QStringList out;
    for (const QString &n : names)
        out.append(dir + QLatin1Char('/') + n);
    return out;
}

// Destination of a copy or move: into the folder when the target is one.
QString targetFor(const FileAccess &access, const QString &source, const QString &to)
{
    const bool intoFolder = to.endsWith(QLatin1Char('/')) || to.endsWith(QLatin1Char('\\'));
    const QString resolved = access.resolve(to);
    if (intoFolder || QFileInfo(resolved).isDir())
        return resolved + QLatin1Char('/') + QFileInfo(source).fileName();
    return resolved;
}

void copyTree(const QString &from, const QString &to, bool overwrite)
{
    if (!QFileInfo(to).isDir() && !QDir().mkpath(to))
        raise(ErrPermissionDenied);
    const QDir src(from);
    for (const QFileInfo &fi : src.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString dest = to + QLatin1Char('/') + fi.fileName();
        if (fi.isDir() && !fi.isSymLink()) {
            copyTree(fi.absoluteFilePath(), dest, overwrite);
        } else {
            if (QFileInfo::exists(dest)) {
                if (!overwrite)
                    raise(ErrFileExists);
                QFile::remove(dest);
            }
            if (!QFile::copy(fi.absoluteFilePath(), dest))
                raise(ErrPermissionDenied);
        }
    }
}

class ItemEnumerator : public Enumerator {
public:
    ItemEnumerator(const FileAccess &access, const QString &dir, QStringList names, bool folders)
        : m_access(access), m_dir(dir), m_names(std::move(names)), m_folders(folders) {}
    bool next(Variant &out) override
    {
        if (m_pos >= m_names.size())
            return false;
        const QString p = m_dir + QLatin1Char('/') + m_names[m_pos++];
        out = m_folders ? Variant(static_cast<Dispatch *>(new FolderItem(m_access, p)))
                        : Variant(static_cast<Dispatch *>(new FileItem(m_access, p)));
        return true;
    }

private:
    FileAccess m_access;
    QString m_dir;
    QStringList m_names;
    bool m_folders;
    qsizetype m_pos = 0;
};

} // namespace

namespace fileops {

void copyFile(const FileAccess &access, const QString &from, const QString &to, bool overwrite)
{
    const QStringList sources = expand(access, from, false);
    if (sources.isEmpty() || (sources.size() == 1 && !QFileInfo(sources[0]).isFile()))
        raise(ErrFileNotFound);
    for (const QString &src : sources) {
        const QString dest = targetFor(access, src, to);
        if (QFileInfo::exists(dest)) {
            if (!overwrite || QFileInfo(dest).isDir())
                raise(ErrFileExists);
            if (!QFile::remove(dest))
                raise(ErrPermissionDenied);
        }
        if (!QFileInfo(QFileInfo(dest).absolutePath()).isDir())
            raise(ErrPathNotFound);
        if (!QFile::copy(src, dest))
            raise(ErrPermissionDenied);
    }
}

void moveFile(const FileAccess &access, const QString &from, const QString &to)
{
    const QStringList sources = expand(access, from, false);
    if (sources.isEmpty() || (sources.size() == 1 && !QFileInfo(sources[0]).isFile()))
        raise(ErrFileNotFound);
    for (const QString &src : sources) {
        const QString dest = targetFor(access, src, to);
        if (QFileInfo::exists(dest))
            raise(ErrFileExists);
        if (!QFileInfo(QFileInfo(dest).absolutePath()).isDir())
            raise(ErrPathNotFound);
        if (!QFile::rename(src, dest))
            raise(ErrPermissionDenied);
    }
}

void deleteFile(const FileAccess &access, const QString &spec)
{
    const QStringList targets = expand(access, spec, false);
    if (targets.isEmpty() || (targets.size() == 1 && !QFileInfo(targets[0]).isFile()))
        raise(ErrFileNotFound);
    for (const QString &t : targets) {
        if (!QFile::remove(t))
            raise(ErrPermissionDenied);
    }
}

void copyFolder(const FileAccess &access, const QString &from, const QString &to, bool overwrite)
{
    const QStringList sources = expand(access, from, true);
    if (sources.isEmpty() || (sources.size() == 1 && !QFileInfo(sources[0]).isDir()))
        raise(ErrPathNotFound);
    for (const QString &src : sources) {
        QString dest = access.resolve(to);
        if (sources.size() > 1 || to.endsWith(QLatin1Char('/')) || to.endsWith(QLatin1Char('\\')))
            dest += QLatin1Char('/') + QFileInfo(src).fileName();
        if ((dest + QLatin1Char('/')).startsWith(src + QLatin1Char('/')))
            raise(ErrPermissionDenied); // a folder cannot be copied into itself
        if (QFileInfo(dest).isFile())
            raise(ErrFileExists);
        copyTree(src, dest, overwrite);
    }
}

void moveFolder(const FileAccess &access, const QString &from, const QString &to)
{
    const QStringList sources = expand(access, from, true);
    if (sources.isEmpty() || (sources.size() == 1 && !QFileInfo(sources[0]).isDir()))
        raise(ErrPathNotFound);
    for (const QString &src : sources) {
        QString dest = access.resolve(to);
        if (QFileInfo(dest).isDir())
            dest += QLatin1Char('/') + QFileInfo(src).fileName();
        if (QFileInfo::exists(dest))
            raise(ErrFileExists);
        if ((dest + QLatin1Char('/')).startsWith(src + QLatin1Char('/')))
            raise(ErrPermissionDenied);
        if (!QDir().rename(src, dest))
            raise(ErrPermissionDenied);
    }
}

void deleteFolder(const FileAccess &access, const QString &spec)
{
    const QStringList targets = expand(access, spec, true);
    if (targets.isEmpty() || (targets.size() == 1 && !QFileInfo(targets[0]).isDir()))
        raise(ErrPathNotFound);
    for (const QString &t : targets) {
        if (!QDir(t).removeRecursively())
            raise(ErrPermissionDenied);
    }
}

} // namespace fileops

int FileItem::findMember(const QString &name) const { return kFileMembers.find(name); }
const void *FileItem::memberKey() const { return &kFileMembers; }

Variant FileItem::call(int id, CallArgs &a, bool)
{
    const QFileInfo fi(m_path);
    switch (id) {
    case kDefaultMember:
    case FPath:
        a.expect(0, 0);
        return Variant(m_path);
    case FName:
    case FShortName:
        a.expect(0, 0);
        return Variant(fi.fileName());
    case FShortPath:
        a.expect(0, 0);
        return Variant(m_path);
    case FSize:
        a.expect(0, 0);
        if (!fi.exists())
            raise(ErrFileNotFound);
        return fi.size() <= 2147483647 ? Variant(int32_t(fi.size())) : Variant(double(fi.size()));
    case FDateCreated:
        a.expect(0, 0);
        return dateOf(fi.birthTime().isValid() ? fi.birthTime() : fi.metadataChangeTime());
    case FDateLastModified:
        a.expect(0, 0);
        return dateOf(fi.lastModified());
    case FDateLastAccessed:
        a.expect(0, 0);
        return dateOf(fi.lastRead());
    case FType:
        a.expect(0, 0);
        return Variant(fi.suffix().isEmpty() ? QStringLiteral("File")
                                             : fi.suffix().toUpper() + QStringLiteral(" File"));
    case FAttributes:
        a.expect(0, 0);
        return Variant(int32_t((fi.isWritable() ? 0 : 1) | 32));
    case FParentFolder:
        a.expect(0, 0);
        return Variant(static_cast<Dispatch *>(new FolderItem(m_access, fi.absolutePath())));
    case FDelete:
        a.expect(0, 1);
        fileops::deleteFile(m_access, m_path);
        return Variant();
    case FCopy:
        a.expect(1, 2);
        fileops::copyFile(m_access, m_path, textArg(a[0]), boolArg(a, 1, true));
        return Variant();
    case FMove: {
        a.expect(1, 1);
        const QString dest = targetFor(m_access, m_path, textArg(a[0]));
        fileops::moveFile(m_access, m_path, dest);
        m_path = dest;
        return Variant();
    }
    case FOpenAsTextStream: {
        a.expect(0, 2);
        const int32_t mode = a.isMissing(0) ? 1 : a[0].toLong();
        if (mode != 1 && mode != 2 && mode != 8)
            raise(ErrInvalidCall);
        const bool unicode = !a.isMissing(1) && a[1].toLong() == -1;
        return Variant(static_cast<Dispatch *>(new TextStream(m_path, TextStream::Mode(mode), unicode)));
    }
    default:
        raise(ErrNoSuchMember);
    }
}

void FileItem::put(int id, CallArgs &a, const Variant &value, bool)
{
    a.expect(0, 0);
    if (id != FName)
        raise(ErrNoSuchMember);
    const QString name = textArg(value);
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        raise(ErrInvalidCall);
    const QString dest = m_access.resolve(QFileInfo(m_path).absolutePath() + QLatin1Char('/') + name);
    if (QFileInfo::exists(dest))
        raise(ErrFileExists);
    if (!QFile::rename(m_path, dest))
        raise(ErrPermissionDenied);
    m_path = dest;
}

int FolderItem::findMember(const QString &name) const { return kFolderMembers.find(name); }
const void *FolderItem::memberKey() const { return &kFolderMembers; }

Variant FolderItem::call(int id, CallArgs &a, bool)
{
    const QFileInfo fi(m_path);
    switch (id) {
    case kDefaultMember:
    case DPath:
    case DShortPath:
        a.expect(0, 0);
        return Variant(m_path);
    case DName:
    case DShortName:
        a.expect(0, 0);
        return Variant(m_path == QLatin1String("/") ? m_path : fi.fileName());
    case DSize: {
        a.expect(0, 0);
        qint64 total = 0;
        QDirIterator it(m_path, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            total += it.fileInfo().size();
        }
        return total <= 2147483647 ? Variant(int32_t(total)) : Variant(double(total));
    }
    case DDateCreated:
        a.expect(0, 0);
        return dateOf(fi.birthTime().isValid() ? fi.birthTime() : fi.metadataChangeTime());
    case DDateLastModified:
        a.expect(0, 0);
        return dateOf(fi.lastModified());
    case DDateLastAccessed:
        a.expect(0, 0);
        return dateOf(fi.lastRead());
    case DType:
        a.expect(0, 0);
        return Variant(QStringLiteral("File Folder"));
    case DAttributes:
        a.expect(0, 0);
        return Variant(int32_t(16));
    case DParentFolder:
        a.expect(0, 0);
        if (m_path == QLatin1String("/"))
            return Variant::nothing();
        return Variant(static_cast<Dispatch *>(new FolderItem(m_access, fi.absolutePath())));
    case DDelete:
        a.expect(0, 1);
        fileops::deleteFolder(m_access, m_path);
        return Variant();
    case DCopy:
        a.expect(1, 2);
        fileops::copyFolder(m_access, m_path, textArg(a[0]), boolArg(a, 1, true));
        return Variant();
    case DMove:
        a.expect(1, 1);
        fileops::moveFolder(m_access, m_path, textArg(a[0]));
        return Variant();
    case DFiles:
        return applyToDefault(Variant(static_cast<Dispatch *>(new FolderCollection(m_access, m_path, false))), a);
    case DSubFolders:
        return applyToDefault(Variant(static_cast<Dispatch *>(new FolderCollection(m_access, m_path, true))), a);
    case DIsRootFolder:
        a.expect(0, 0);
        return Variant(m_path == QLatin1String("/"));
    case DCreateTextFile: {
        a.expect(1, 3);
        const QString p = m_access.resolve(m_path + QLatin1Char('/') + textArg(a[0]));
        const bool overwrite = boolArg(a, 1, true);
        if (QFileInfo::exists(p) && !overwrite)
            raise(ErrFileExists);
        return Variant(static_cast<Dispatch *>(new TextStream(p, TextStream::ForWriting, boolArg(a, 2, false))));
    }
    default:
        raise(ErrNoSuchMember);
    }
}

int FolderCollection::findMember(const QString &name) const { return kCollectionMembers.find(name); }
const void *FolderCollection::memberKey() const { return &kCollectionMembers; }

QStringList FolderCollection::names() const
{
    return QDir(m_path).entryList((m_folders ? QDir::Dirs : QDir::Files) | QDir::NoDotAndDotDot | QDir::Hidden,
                                  QDir::Name);
}

Variant FolderCollection::call(int id, CallArgs &a, bool)
{
    switch (id) {
    case 1:
        a.expect(0, 0);
        return Variant(int32_t(names().size()));
    case kDefaultMember:
    case 2: {
        a.expect(1, 1);
        const QString name = textArg(a[0]);
        const QString p = m_access.resolve(m_path + QLatin1Char('/') + name);
        const QFileInfo fi(p);
        if (m_folders) {
            if (!fi.isDir())
                raise(ErrPathNotFound);
            return Variant(static_cast<Dispatch *>(new FolderItem(m_access, p)));
        }
        if (!fi.isFile())
            raise(ErrFileNotFound);
        return Variant(static_cast<Dispatch *>(new FileItem(m_access, p)));
    }
    default:
        raise(ErrNoSuchMember);
    }
}

std::unique_ptr<Enumerator> FolderCollection::enumerate()
{
    return std::make_unique<ItemEnumerator>(m_access, m_path, names(), m_folders);
}

} // namespace vbs

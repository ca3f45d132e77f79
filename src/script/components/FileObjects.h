#pragma once

#include "../Dispatch.h"
#include "FileSystemObject.h"

#include <QString>

namespace vbs {

// The File object of GetFile and of Folder.Files.
class FileItem : public Dispatch {
public:
    FileItem(const FileAccess &access, const QString &path) : m_access(access), m_path(path) {}
    QString typeName() const override { return QStringLiteral("File"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    Variant call(int id, CallArgs &args, bool wantResult) override;
    void put(int id, CallArgs &args, const Variant &value, bool isSet) override;

private:
    FileAccess m_access;
    QString m_path;
};

// The Folder object of GetFolder and of Folder.SubFolders.
class FolderItem : public Dispatch {
public:
    FolderItem(const FileAccess &access, const QString &path) : m_access(access), m_path(path) {}
    QString typeName() const override { return QStringLiteral("Folder"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    Variant call(int id, CallArgs &args, bool wantResult) override;

private:
    FileAccess m_access;
    QString m_path;
};

// Folder.Files and Folder.SubFolders: Count, Item(name), For Each.
class FolderCollection : public Dispatch {
public:
    FolderCollection(const FileAccess &access, const QString &path, bool folders)
        : m_access(access), m_path(path), m_folders(folders) {}
    QString typeName() const override { return m_folders ? QStringLiteral("Folders") : QStringLiteral("Files"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    Variant call(int id, CallArgs &args, bool wantResult) override;
    std::unique_ptr<Enumerator> enumerate() override;

private:
    QStringList names() const;

    FileAccess m_access;
    QString m_path;
    bool m_folders;
};

// Shared operations of the FileSystemObject and the file objects.
namespace fileops {
void copyFile(const FileAccess &access, const QString &from, const QString &to, bool overwrite);
void moveFile(const FileAccess &access, const QString &from, const QString &to);
void deleteFile(const FileAccess &access, const QString &spec);
void copyFolder(const FileAccess &access, const QString &from, const QString &to, bool overwrite);
void moveFolder(const FileAccess &access, const QString &from, const QString &to);
void deleteFolder(const FileAccess &access, const QString &spec);
} // namespace fileops

} // namespace vbs

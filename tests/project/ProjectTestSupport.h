#pragma once

#include "project/RecentProjects.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <QCryptographicHash>
#include <QFile>
#include <QSettings>
#include <QString>

#include <string>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace projecttest {

// Empties the recent-project list of this test run.
inline void clearRecentProjects()
{
    QSettings settings(RecentProjects::Organisation, RecentProjects::Application);
    settings.remove(RecentProjects::Group);
    settings.sync();
}

// Runs SQLite statements on a database file, outside the data layer.
inline void execSql(const QString &dbPath, const QString &sql)
{
    SQLite::Database db(dbPath.toStdString(), SQLite::OPEN_READWRITE);
    db.exec(sql.toStdString());
}

inline QString scalarText(const QString &dbPath, const QString &sql)
{
    SQLite::Database db(dbPath.toStdString(), SQLite::OPEN_READONLY);
    SQLite::Statement q(db, sql.toStdString());
    if (!q.executeStep() || q.getColumn(0).isNull())
        return {};
    return QString::fromStdString(q.getColumn(0).getString());
}

inline long long scalarInt(const QString &dbPath, const QString &sql)
{
    return scalarText(dbPath, sql).toLongLong();
}

inline QByteArray fileHash(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

// Makes a folder unwritable for this process: by its permissions for an
// ordinary user, by the immutable attribute for root (which ignores
// permissions). Returns false when neither is possible here.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString &path) : m_path(path)
    {
        if (geteuid() != 0) {
            m_ok = QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            m_byPermissions = m_ok;
            return;
        }
        m_ok = setImmutable(true);
    }
    ~ReadOnlyFolder()
    {
        if (!m_ok)
            return;
        if (m_byPermissions)
            QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                              | QFileDevice::ExeOwner);
        else
            setImmutable(false);
    }
    bool ok() const { return m_ok; }

private:
    bool setImmutable(bool on)
    {
        const int fd = ::open(m_path.toLocal8Bit().constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }

    QString m_path;
    bool m_ok = false;
    bool m_byPermissions = false;
};

} // namespace projecttest

#pragma once

#include "common/DbTestTools.h"

#include <QFile>
#include <QString>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace projecttest {

using testtools::clearRecentProjects;
using testtools::execSql;
using testtools::fileHash;
using testtools::scalarInt;
using testtools::scalarText;
using testtools::writeFile;

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

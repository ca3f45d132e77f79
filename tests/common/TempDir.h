#pragma once

#include <QTemporaryDir>
#include <QString>

// A temporary folder that lives as long as the test; tests build every file
// they need inside one.
class TempDir {
public:
    TempDir() { m_dir.setAutoRemove(true); }
    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const { return m_dir.filePath(relative); }
    bool isValid() const { return m_dir.isValid(); }

private:
    QTemporaryDir m_dir;
};

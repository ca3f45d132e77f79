#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// Writes the generated pages and stylesheets: UTF-8, every line feed as
// carriage return and line feed, replacing any earlier file. A file that
// cannot be written is recorded (once per file) and the caller goes on with
// the rest; the window and the command line report failures() at the end.
class OutputWriter {
public:
    // Returns false when the file could not be written.
    bool write(const QString &path, const QString &text);
    // Removes a file if it exists; a failure is recorded like a write's.
    void remove(const QString &path);
    // Copies a file over any existing one.
    bool copy(const QString &source, const QString &target);

    const QStringList &written() const { return m_written; }
    const QStringList &failures() const { return m_failures; }

private:
    void fail(const QString &path, const QString &reason);

    QStringList m_written;
    QStringList m_failures;
    QSet<QString> m_failed;
};

#pragma once

#include <QByteArray>
#include <QString>

// Writes an encoded picture to disk the way every editor stores images:
// missing folders are created, a read-only file at the path is replaced, the
// new content is written beside the target and renamed over it (a crash
// half-way leaves the old file), and the written file is left writable.
class ImageFileWriter {
public:
    static bool write(const QString &path, const QByteArray &data, QString *error = nullptr);
    // Clears the read-only attribute of an existing file.
    static bool makeWritable(const QString &path);
};

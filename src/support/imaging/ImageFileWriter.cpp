#include "ImageFileWriter.h"

#include "support/ErrorText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

} // namespace

bool ImageFileWriter::makeWritable(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return false;
    const QFile::Permissions wanted = QFile::WriteOwner | QFile::WriteUser;
    if ((file.permissions() & wanted) == wanted)
        return true;
    return file.setPermissions(file.permissions() | wanted);
}

bool ImageFileWriter::write(const QString &path, const QByteArray &data, QString *error)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        setError(error, QStringLiteral("cannot create folder %1").arg(info.absolutePath()));
        return false;
    }
    if (info.exists())
        makeWritable(path);

    QSaveFile out(path);
    // Writing beside and renaming also replaces a file we could not make
    // writable; direct writing is the fallback for folders without rights to
    // create a new entry.
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly)) {
        setError(error, ErrorText::italian(out.errorString()));
        return false;
    }
    if (out.write(data) != data.size()) {
        setError(error, ErrorText::italian(out.errorString()));
        out.cancelWriting();
        return false;
    }
    if (!out.commit()) {
        setError(error, ErrorText::italian(out.errorString()));
        return false;
    }
    makeWritable(path);
    return true;
}

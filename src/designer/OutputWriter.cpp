#include "designer/OutputWriter.h"

#include "support/ErrorText.h"

#include <QFile>
#include <QSaveFile>

bool OutputWriter::write(const QString &path, const QString &text)
{
    QString crlf = text;
    crlf.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    crlf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        fail(path, ErrorText::italian(file.errorString()));
        return false;
    }
    file.write(crlf.toUtf8());
    if (!file.commit()) {
        fail(path, ErrorText::italian(file.errorString()));
        return false;
    }
    m_written.append(path);
    return true;
}

void OutputWriter::remove(const QString &path)
{
    QFile file(path);
    if (file.exists() && !file.remove())
        fail(path, ErrorText::italian(file.errorString()));
}

bool OutputWriter::copy(const QString &source, const QString &target)
{
    if (QFile::exists(target))
        QFile::remove(target);
    QFile file(source);
    if (!file.copy(target)) {
        fail(target, ErrorText::italian(file.errorString()));
        return false;
    }
    m_written.append(target);
    return true;
}

void OutputWriter::fail(const QString &path, const QString &reason)
{
    if (m_failed.contains(path))
        return;
    m_failed.insert(path);
    m_failures.append(QStringLiteral("Impossibile scrivere il file %1: %2").arg(path, reason));
}

#include "DatabaseProbe.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr int HeaderSize = 100;

quint32 bigEndian32(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return (quint32(u[0]) << 24) | (quint32(u[1]) << 16) | (quint32(u[2]) << 8) | quint32(u[3]);
}

} // namespace

DatabaseProbe::State DatabaseProbe::check(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return State::Missing;
    if (!info.isFile())
        return State::NotAFile;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return State::Unreadable;
    const QByteArray header = file.read(HeaderSize);
    if (header.size() < HeaderSize || !header.startsWith(QByteArray("SQLite format 3\0", 16)))
        return State::NotADatabase;

    // Page size: 2 bytes at offset 16, the value 1 meaning 65536.
    const auto *u = reinterpret_cast<const unsigned char *>(header.constData());
    qint64 pageSize = (qint64(u[16]) << 8) | qint64(u[17]);
    if (pageSize == 1)
        pageSize = 65536;
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0)
        return State::NotADatabase;

    // The page count at offset 28 is valid when the change counter (24)
    // equals the version-valid-for number (92).
    const quint32 pages = bigEndian32(header.constData() + 28);
    const quint32 changeCounter = bigEndian32(header.constData() + 24);
    const quint32 validFor = bigEndian32(header.constData() + 92);
    const qint64 size = info.size();
    if (size % pageSize != 0)
        return State::Truncated;
    if (pages != 0 && changeCounter == validFor && size < qint64(pages) * pageSize)
        return State::Truncated;
    return State::Ok;
}

QString DatabaseProbe::describe(State state)
{
    switch (state) {
    case State::Ok: return {};
    case State::Missing: return QStringLiteral("il file non esiste");
    case State::NotAFile: return QStringLiteral("il percorso non indica un file");
    case State::Unreadable: return QStringLiteral("il file non può essere letto");
    case State::NotADatabase: return QStringLiteral("il file non è un database valido");
    case State::Truncated: return QStringLiteral("il file è incompleto (troncato)");
    }
    return {};
}

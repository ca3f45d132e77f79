#include "SiteMap.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

namespace preview {

namespace {

QString slashes(QString path)
{
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

int hexDigit(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

// Resolves links on the part of path that exists and appends the rest.
QString realPath(const QString &path)
{
    QString existing = QDir::cleanPath(path);
    QString rest;
    while (!existing.isEmpty() && !QFileInfo::exists(existing)) {
        const qsizetype slash = existing.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0) {
            existing.clear();
            break;
        }
        rest = existing.mid(slash) + rest;
        existing = existing.left(slash);
    }
    if (existing.isEmpty())
        return QDir::cleanPath(path);
    const QString canonical = QFileInfo(existing).canonicalFilePath();
    return QDir::cleanPath((canonical.isEmpty() ? existing : canonical) + rest);
}

} // namespace

void SiteMap::setRootFolder(const QString &folder)
{
    m_root = slashes(folder);
}

void SiteMap::addVirtualDirectory(const QString &alias, const QString &folder)
{
    qsizetype at = 0;
    while (at < m_aliases.size() && m_aliases[at].size() <= alias.size())
        ++at;
    m_aliases.insert(at, alias);
    m_folders.insert(at, slashes(folder));
}

QStringList SiteMap::allFolders() const
{
    QStringList out;
    if (!m_root.isEmpty())
        out.append(m_root);
    out.append(m_folders);
    return out;
}

bool SiteMap::decodePath(const QString &path, QString &out)
{
    QByteArray bytes;
    const QByteArray in = path.toUtf8();
    bytes.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (c != '%') {
            bytes.append(c);
            continue;
        }
        if (i + 2 >= in.size())
            return false;
        const int hi = hexDigit(QLatin1Char(in[i + 1]));
        const int lo = hexDigit(QLatin1Char(in[i + 2]));
        if (hi < 0 || lo < 0)
            return false;
        bytes.append(char(hi * 16 + lo));
        i += 2;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    out = decoder.decode(bytes);
    return !decoder.hasError();
}

bool SiteMap::isInside(const QString &path, const QString &folder)
{
    const QString base = realPath(folder);
    const QString full = realPath(path);
    if (base.isEmpty())
        return false;
    if (full == base)
        return true;
    return full.startsWith(base.endsWith(QLatin1Char('/')) ? base : base + QLatin1Char('/'));
}

QString SiteMap::mapUrl(const QString &urlPath) const
{
    QString url = urlPath;
    if (url == QLatin1String("/"))
        url = QStringLiteral("/default.asp");
    if (!url.startsWith(QLatin1Char('/')))
        return {};
    QString decoded;
    if (!decodePath(url, decoded))
        return {};
    if (decoded.contains(QChar(0)) || decoded.contains(QLatin1Char('\\')))
        return {};
    const QStringList parts = decoded.split(QLatin1Char('/'));
    for (const QString &part : parts) {
        if (part == QLatin1String(".") || part == QLatin1String(".."))
            return {};
    }

    QString folder = m_root;
    QString path;
    bool matched = false;
    for (qsizetype i = 0; i < m_aliases.size(); ++i) {
        const QString &alias = m_aliases[i];
        if (url.startsWith(alias, Qt::CaseInsensitive)) {
            // The character right after the alias is skipped, as the site's
            // links have always been resolved.
            QString rest;
            if (!decodePath(url.mid(alias.size() + 1), rest))
                return {};
            folder = m_folders[i];
            path = folder + QLatin1Char('/') + rest;
            matched = true;
            break;
        }
    }
    if (!matched)
        path = m_root + decoded;
    if (folder.isEmpty())
        return {};
    path = resolveCase(folder, QDir::cleanPath(path));
    if (!isInside(path, folder))
        return {};
    return QDir::cleanPath(path);
}

QString SiteMap::resolveCase(const QString &base, const QString &path) const
{
    return m_case.resolve(base, path);
}

QString SiteMap::mapPath(const QString &path) const
{
    QString result;
    bool matched = false;
    for (qsizetype i = 0; i < m_aliases.size(); ++i) {
        const QString &alias = m_aliases[i];
        if (path.startsWith(alias, Qt::CaseInsensitive)) {
            result = m_folders[i];
            if (!path.startsWith(QLatin1Char('/')) && !path.startsWith(QLatin1Char('\\')))
                result += QLatin1Char('/');
            if (path.size() > alias.size())
                result += QLatin1Char('/') + path.mid(alias.size() + 1);
            matched = true;
            break;
        }
    }
    if (!matched) {
        result = m_root;
        if (!path.startsWith(QLatin1Char('/')) && !path.startsWith(QLatin1Char('\\')))
            result += QLatin1Char('/');
        result += path;
    }
    return slashes(result);
}

} // namespace preview

#include "AspResponse.h"

#include "AspCodePage.h"
#include "AspFields.h"
#include "AspText.h"

#include <QDateTime>

namespace preview {

using namespace vbs;

namespace {

const MemberTable kMembers{"Expires", "Write", "WriteHTML", "Redirect", "End", "Buffer", "Clear",
                           "Flush", "ContentType", "Charset", "CodePage", "Status", "AddHeader",
                           "Cookies", "CacheControl", "ExpiresAbsolute", "BinaryWrite",
                           "IsClientConnected", "AppendToLog"};
enum Member {
    Expires = 1, Write, WriteHTML, Redirect, End, Buffer, Clear, Flush, ContentType, Charset, CodePage,
    Status, AddHeader, Cookies, CacheControl, ExpiresAbsolute, BinaryWrite, IsClientConnected, AppendToLog
};

double oleNow()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QTime t = now.time();
    return dateFromParts(now.date().year(), now.date().month(), now.date().day(),
                         (t.hour() * 3600 + t.minute() * 60 + t.second()) / 86400.0);
}

bool isToken(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (const QChar c : name) {
        if (c.unicode() <= 32 || c.unicode() >= 127 || QStringLiteral("()<>@,;:\\\"/[]?={}").contains(c))
            return false;
    }
    return true;
}

// Bytes of a BinaryWrite argument: an array of numbers, or a string whose
// characters are bytes.
QByteArray binaryBytes(const Variant &v)
{
    QByteArray out;
    if (v.isArray()) {
        for (const Variant &item : v.arrayValue()->items)
            out.append(char(item.deref().toLong() & 0xFF));
        return out;
    }
    const QString text = v.toText();
    out.reserve(text.size());
    for (const QChar c : text)
        out.append(char(c.unicode() & 0xFF));
    return out;
}

} // namespace

AspResponse::AspResponse() : m_cookies(makeRef<AspResponseCookies>())
{
    m_cookies->setGuard([this] { requireHeadOpen(); });
}

int AspResponse::findMember(const QString &name) const { return kMembers.find(name); }
const void *AspResponse::memberKey() const { return &kMembers; }

bool AspResponse::headSent() const
{
    return m_flushed || (!m_buffer && m_size > 0);
}

void AspResponse::requireHeadOpen() const
{
    if (headSent())
        raise(ErrInvalidCall, QStringLiteral(
            "Le intestazioni HTTP sono già state inviate al browser: non si possono più modificare."));
}

void AspResponse::append(const QString &text)
{
    if (m_size + text.size() > m_limit) {
        m_overflow = true;
        m_ended = true;
        throw ScriptStop{};
    }
    m_text += text;
    m_size += text.size();
}

void AspResponse::appendBytes(const QByteArray &bytes)
{
    if (m_size + bytes.size() > m_limit) {
        m_overflow = true;
        m_ended = true;
        throw ScriptStop{};
    }
    if (!m_text.isEmpty())
        m_segments.append(Segment{m_text, {}});
    m_text.clear();
    m_segments.append(Segment{{}, bytes});
    m_size += bytes.size();
}

void AspResponse::write(const QString &text)
{
    append(text);
}

QString AspResponse::output() const
{
    QString out;
    for (const Segment &s : m_segments)
        out += s.bytes.isEmpty() ? s.text : QString::fromLatin1(s.bytes);
    return out + m_text;
}

void AspResponse::clearOutput()
{
    m_segments.clear();
    m_text.clear();
    m_size = 0;
    m_flushedSize = 0;
}

void AspResponse::clearBuffer()
{
    // What Flush let go stays; the rest is dropped.
    if (!m_flushed) {
        clearOutput();
        return;
    }
    QList<Segment> kept;
    qint64 size = 0;
    for (const Segment &s : m_segments) {
        const qint64 n = s.bytes.isEmpty() ? s.text.size() : s.bytes.size();
        if (size + n > m_flushedSize)
            break;
        kept.append(s);
        size += n;
    }
    m_segments = kept;
    m_text.clear();
    m_size = size;
}

void AspResponse::setCodePage(int codePage)
{
    if (!codepage::isSupported(codePage))
        raise(ErrInvalidCall, QStringLiteral("Code page non valida: %1.").arg(codePage));
    m_codePage = codePage;
}

int AspResponse::effectiveCodePage() const
{
    if (m_codePage)
        return m_codePage;
    const int fromCharset = codepage::fromCharset(m_charset);
    return fromCharset && codepage::isSupported(fromCharset) ? fromCharset : codepage::kUtf8;
}

QString AspResponse::effectiveCharset() const
{
    return m_charset.isEmpty() ? codepage::charsetName(effectiveCodePage()) : m_charset;
}

QList<QByteArray> AspResponse::headers() const
{
    QList<QByteArray> out;
    QByteArray type = m_contentType.toUtf8();
    const QString lower = m_contentType.toLower();
    const bool textual = lower.startsWith(QLatin1String("text/")) || lower.contains(QLatin1String("xml"))
        || lower.contains(QLatin1String("json")) || lower.contains(QLatin1String("javascript"));
    if (!lower.contains(QLatin1String("charset=")) && (textual || !m_charset.isEmpty()))
        type += "; charset=" + effectiveCharset().toLatin1();
    out.append("Content-Type: " + type);
    if (!m_cacheControl.isEmpty())
        out.append("Cache-Control: " + m_cacheControl.toUtf8());
    if (m_expiresAt != 0)
        out.append("Expires: " + httpDate(m_expiresAt, false));
    for (const QByteArray &cookie : m_cookies->headerValues())
        out.append("Set-Cookie: " + cookie);
    for (const auto &h : m_headers)
        out.append(h.first.toUtf8() + ": " + h.second.toUtf8());
    return out;
}

QByteArray AspResponse::body() const
{
    const int cp = effectiveCodePage();
    const bool html = m_contentType.toLower().contains(QLatin1String("html"));
    QByteArray out;
    for (const Segment &s : m_segments)
        out += s.bytes.isEmpty() ? codepage::encode(s.text, cp, html) : s.bytes;
    return out + codepage::encode(m_text, cp, html);
}

Variant AspResponse::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case Expires:
        args.expect(0, 0);
        return Variant(int32_t(0));
    case Write:
        args.expect(1, 1);
        append(argText(args, 0));
        return {};
    case WriteHTML: {
        args.expect(1, 1);
        const int32_t index = args[0].toLong();
        // Only indexes of the page's own chunk table are meaningful.
        if (index < 0 || index >= m_chunks.size())
            raise(ErrSubscript);
        append(m_chunks[index]);
        return {};
    }
    case Redirect: {
        args.expect(1, 1);
        const QString url = argText(args, 0);
        requireHeaderText(url);
        requireHeadOpen();
        m_redirect = url;
        m_ended = true;
        throw ScriptStop{};
    }
    case End:
        args.expect(0, 0);
        m_ended = true;
        throw ScriptStop{};
    case Buffer:
        args.expect(0, 0);
        return Variant(m_buffer);
    case Clear:
        args.expect(0, 0);
        if (!m_buffer)
            raise(ErrInvalidCall, QStringLiteral("Response.Clear non è consentito con il buffer disattivato."));
        clearBuffer();
        return {};
    case Flush:
        args.expect(0, 0);
        if (!m_buffer)
            raise(ErrInvalidCall, QStringLiteral("Response.Flush non è consentito con il buffer disattivato."));
        m_flushed = true;
        if (!m_text.isEmpty())
            m_segments.append(Segment{m_text, {}});
        m_text.clear();
        m_flushedSize = m_size;
        return {};
    case ContentType:
        args.expect(0, 0);
        return Variant(m_contentType);
    case Charset:
        args.expect(0, 0);
        return Variant(m_charset);
    case CodePage:
        args.expect(0, 0);
        return Variant(int32_t(effectiveCodePage()));
    case Status:
        args.expect(0, 0);
        return Variant(m_status);
    case AddHeader: {
        args.expect(2, 2);
        const QString name = argText(args, 0);
        const QString value = argText(args, 1);
        requireHeaderText(name);
        requireHeaderText(value);
        if (!isToken(name))
            raise(ErrInvalidCall, QStringLiteral("Nome di intestazione non valido: \"%1\".").arg(name));
        requireHeadOpen();
        m_headers.append({name, value});
        return {};
    }
    case Cookies:
        if (args.isEmpty())
            return objectVariant(m_cookies);
        return m_cookies->call(kDefaultMember, args, true);
    case CacheControl:
        args.expect(0, 0);
        return Variant(m_cacheControl.isEmpty() ? QStringLiteral("private") : m_cacheControl);
    case ExpiresAbsolute:
        args.expect(0, 0);
        return m_expiresAt != 0 ? Variant::date(m_expiresAt) : Variant::date(0);
    case BinaryWrite:
        args.expect(1, 1);
        appendBytes(binaryBytes(args[0]));
        return {};
    case IsClientConnected:
        args.expect(0, 0);
        return Variant(true);
    case AppendToLog:
        args.expect(1, 1);
        return {};
    default:
        raise(ErrNoSuchMember);
    }
}

void AspResponse::put(int id, CallArgs &args, const Variant &value0, bool isSet)
{
    if (id == Cookies) {
        m_cookies->put(kDefaultMember, args, value0, isSet);
        return;
    }
    args.expect(0, 0);
    const Variant value = defaultValue(value0);
    switch (id) {
    case Expires: {
        const int minutes = value.toLong();
        requireHeadOpen();
        m_expiresAt = oleNow() + minutes / 1440.0;
        return;
    }
    case ExpiresAbsolute:
        requireHeadOpen();
        m_expiresAt = value.toDate();
        return;
    case Buffer: {
        const bool on = value.toBool();
        if (on != m_buffer && (m_flushed || m_size > 0))
            raise(ErrInvalidCall, QStringLiteral(
                "Non si può cambiare Response.Buffer dopo che la pagina ha scritto qualcosa."));
        m_buffer = on;
        return;
    }
    case ContentType: {
        requireHeaderText(value.toText());
        const QString text = value.toText().trimmed();
        requireHeadOpen();
        m_contentType = text;
        return;
    }
    case Charset: {
        requireHeaderText(value.toText());
        const QString text = value.toText().trimmed();
        if (text.contains(QLatin1Char(';')))
            raise(ErrInvalidCall, QStringLiteral("Charset non valido: \"%1\".").arg(text));
        requireHeadOpen();
        m_charset = text;
        return;
    }
    case CodePage:
        setCodePage(value.toLong());
        return;
    case Status: {
        requireHeaderText(value.toText());
        const QString text = value.toText().trimmed();
        bool ok = text.size() >= 3;
        const int code = ok ? text.left(3).toInt(&ok) : 0;
        if (!ok || code < 100 || (text.size() > 3 && text[3] != QLatin1Char(' ')))
            raise(ErrInvalidCall, QStringLiteral("Stato HTTP non valido: \"%1\".").arg(text));
        requireHeadOpen();
        m_status = text;
        return;
    }
    case CacheControl: {
        const QString text = value.toText();
        requireHeaderText(text);
        requireHeadOpen();
        m_cacheControl = text;
        return;
    }
    default:
        raise(ErrNoSuchMember);
    }
}

void AspResponse::endPage()
{
    m_redirect.clear();
    m_chunks.clear();
}

} // namespace preview

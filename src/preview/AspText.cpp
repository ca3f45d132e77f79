#include "AspText.h"

#include "AspCodePage.h"

#include "script/ScriptError.h"
#include "script/Variant.h"

#include <QDateTime>
#include <QLocale>
#include <QStringDecoder>

namespace preview {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

QString decodeText(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (!decoder.hasError())
        return text;
    return codepage::fromWindows1252(bytes);
}

QByteArray urlDecode(const QByteArray &text)
{
    QByteArray s = text;
    s.replace('+', ' ');
    s.replace("%%", "%");
    QByteArray out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size()) {
            const int hi = hexValue(s[i + 1]);
            const int lo = hexValue(s[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out.append(char(hi * 16 + lo));
                i += 2;
                continue;
            }
        }
        out.append(s[i]);
    }
    return out;
}

qsizetype countPairs(const QByteArray &text)
{
    qsizetype pairs = 0;
    bool sawEquals = false;
    for (const char c : text) {
        if (c == '=') {
            sawEquals = true;
        } else if (c == '&') {
            pairs += sawEquals ? 1 : 0;
            sawEquals = false;
        }
    }
    return pairs + (sawEquals ? 1 : 0);
}

QString htmlEncode(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '"': out += QLatin1String("&quot;"); break;
        default: out += c;
        }
    }
    return out;
}

QString urlEncode(const QString &text)
{
    static const char hex[] = "0123456789ABCDEF";
    const QByteArray bytes = text.toUtf8();
    QString out;
    out.reserve(bytes.size() * 3);
    for (const char ch : bytes) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')
            || c == '-' || c == '_' || c == '.') {
            out += QLatin1Char(char(c));
        } else if (c == ' ') {
            out += QLatin1Char('+');
        } else {
            out += QLatin1Char('%');
            out += QLatin1Char(hex[c >> 4]);
            out += QLatin1Char(hex[c & 15]);
        }
    }
    return out;
}

} // namespace preview

namespace preview {

void requireHeaderText(const QString &text)
{
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')))
        vbs::raise(vbs::ErrInvalidCall,
                   QStringLiteral("Un'intestazione della risposta non può contenere caratteri di a capo (CR o LF)."));
}

QByteArray httpDate(double oleDate, bool cookieForm)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    vbs::dateToParts(oleDate, y, mo, d, h, mi, s);
    const QDateTime utc = QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::LocalTime).toUTC();
    const QString format = cookieForm ? QStringLiteral("ddd, dd-MMM-yyyy hh:mm:ss 'GMT'")
                                      : QStringLiteral("ddd, dd MMM yyyy hh:mm:ss 'GMT'");
    return QLocale::c().toString(utc, format).toLatin1();
}

} // namespace preview

#include "AspCodePage.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

namespace preview::codepage {

namespace {

// Windows-1252 characters of the bytes 0x80-0x9F; 0 where the byte is
// unassigned (it then stands for the C1 control of the same value).
const char16_t kHigh1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

struct Named {
    const char *name;
    int codePage;
};

// Charset names as pages write them, and the code page of each.
const Named kCharsets[] = {
    {"utf-8", kUtf8},          {"utf8", kUtf8},
    {"windows-1252", 1252},    {"iso-8859-1", 1252},   {"latin1", 1252},
    {"us-ascii", 1252},        {"cp1252", 1252},       {"x-ansi", 1252},
    {"windows-1250", 1250},    {"windows-1251", 1251}, {"windows-1253", 1253},
    {"windows-1254", 1254},    {"windows-1255", 1255}, {"windows-1256", 1256},
    {"windows-1257", 1257},    {"iso-8859-2", 28592},  {"iso-8859-15", 28605},
    {"koi8-r", 20866},         {"shift_jis", 932},     {"gb2312", 936},
    {"big5", 950},             {"euc-kr", 949},
};

const char *converterName(int codePage)
{
    for (const Named &n : kCharsets) {
        if (n.codePage == codePage)
            return n.name;
    }
    return nullptr;
}

QByteArray encode1252(const QString &text, bool html)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out.append(char(c));
            continue;
        }
        int byte = -1;
        for (int k = 0; k < 32; ++k) {
            if (kHigh1252[k] == c && c != 0) {
                byte = 0x80 + k;
                break;
            }
        }
        if (byte >= 0) {
            out.append(char(byte));
        } else if (html) {
            char32_t code = c;
            if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                code = QChar::surrogateToUcs4(c, text[++i].unicode());
            out.append("&#" + QByteArray::number(quint32(code)) + ';');
        } else {
            if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
            out.append('?');
        }
    }
    return out;
}

} // namespace

QString fromWindows1252(const QByteArray &bytes)
{
    QString out;
    out.resize(bytes.size());
    QChar *dst = out.data();
    for (const char ch : bytes) {
        const unsigned char b = static_cast<unsigned char>(ch);
        const char16_t high = b >= 0x80 && b < 0xA0 ? kHigh1252[b - 0x80] : 0;
        *dst++ = QChar(high ? high : char16_t(b));
    }
    return out;
}

int fromCharset(const QString &charset)
{
    const QByteArray name = charset.trimmed().toLower().toLatin1();
    for (const Named &n : kCharsets) {
        if (name == n.name)
            return n.codePage;
    }
    return 0;
}

bool isSupported(int codePage)
{
    if (codePage == kUtf8 || codePage == kWindows1252)
        return true;
    const char *name = converterName(codePage);
    return name && QStringEncoder(name).isValid();
}

QString charsetName(int codePage)
{
    if (!isSupported(codePage))
        return {};
    return QString::fromLatin1(converterName(codePage));
}

QByteArray encode(const QString &text, int codePage, bool html)
{
    if (codePage == kWindows1252)
        return encode1252(text, html);
    const char *name = codePage == kUtf8 ? nullptr : converterName(codePage);
    if (!name)
        return text.toUtf8();
    QStringEncoder encoder(name, QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        return text.toUtf8();
    // Most text fits the code page whole; when it does not (the round trip
    // differs), the characters are written one by one so that those the
    // code page lacks become references instead of replacement marks.
    const QByteArray whole = encoder.encode(text);
    QStringDecoder back(name, QStringConverter::Flag::Stateless);
    if (!encoder.hasError() && back.isValid() && QString(back.decode(whole)) == text)
        return whole;
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString one = text.mid(i, len);
        QStringEncoder single(name, QStringConverter::Flag::Stateless);
        const QByteArray bytes = single.encode(one);
        QStringDecoder check(name, QStringConverter::Flag::Stateless);
        if (!single.hasError() && QString(check.decode(bytes)) == one)
            out.append(bytes);
        else
            out.append(html ? "&#" + QByteArray::number(one.toUcs4().value(0)) + ';' : QByteArray("?"));
        i += len - 1;
    }
    return out;
}

} // namespace preview::codepage

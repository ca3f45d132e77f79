// String functions: Len, Left, Mid, InStr, Replace, StrComp, Split's
// relatives, Asc/Chr, Hex/Oct, Escape/Unescape.

#include <algorithm>
#include "LibSupport.h"

#include <cmath>

namespace vbs::lib {

namespace {

// Windows-1252, the code page of Asc and Chr on western systems: the
// characters of 0x80..0x9F (0 where the code page leaves a hole).
const char16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

QChar charFromAnsi(int code)
{
    if (code >= 0x80 && code <= 0x9F && kCp1252High[code - 0x80])
        return QChar(kCp1252High[code - 0x80]);
    return QChar(code);
}

int ansiFromChar(QChar c)
{
    const ushort u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] == u)
            return 0x80 + i;
    }
    if (u >= 0x80 && u <= 0x9F)
        return u;
    return '?';
}

bool anyNull(const CallArgs &a, int count)
{
    for (int i = 0; i < count && i < a.size(); ++i) {
        if (!a.isMissing(i) && a[i].isNull())
            return true;
    }
    return false;
}

int32_t nonNegative(const Variant &v)
{
    const int32_t n = plainArg(v).toLong();
    if (n < 0)
        raise(ErrInvalidCall);
    return n;
}

Variant fnLen(Context &, CallArgs &a)
{
    if (a[0].isNull())
        return Variant::null();
    return longResult(textArg(a[0]).size());
}

Variant fnLenB(Context &, CallArgs &a)
{
    if (a[0].isNull())
        return Variant::null();
    return longResult(textArg(a[0]).size() * 2);
}

Variant fnLeft(Context &, CallArgs &a)
{
    const int32_t n = nonNegative(a[1]);
    if (a[0].isNull())
        return Variant::null();
    return Variant(textArg(a[0]).left(n));
}

Variant fnRight(Context &, CallArgs &a)
{
    const int32_t n = nonNegative(a[1]);
    if (a[0].isNull())
        return Variant::null();
    return Variant(textArg(a[0]).right(n));
}

Variant fnMid(Context &, CallArgs &a)
{
    const int32_t start = plainArg(a[1]).toLong();
    if (start < 1)
        raise(ErrInvalidCall);
    int32_t len = -1;
    if (!a.isMissing(2))
        len = nonNegative(a[2]);
    if (a[0].isNull())
        return Variant::null();
    const QString s = textArg(a[0]);
    if (start > s.size())
        return Variant(QString());
    return Variant(s.mid(start - 1, len));
}

// The byte functions see a string as its UTF-16 code units, low byte first,
// as VBScript's strings are stored. A slice that ends in the middle of a
// character keeps that byte as a character of its own.
QString byteSlice(const QString &s, qint64 firstByte, qint64 count)
{
    const qint64 total = qint64(s.size()) * 2;
    if (firstByte >= total || count <= 0)
        return QString();
    const qint64 end = std::min(total, firstByte + count);
    QString out;
    out.reserve(int((end - firstByte + 1) / 2));
    qint64 b = firstByte;
    while (b < end) {
        const char16_t unit = s[int(b / 2)].unicode();
        if (b % 2 == 0 && b + 1 < end) {
            out.append(QChar(unit));
            b += 2;
        } else {
            out.append(QChar(char16_t((b % 2 == 0) ? (unit & 0xFF) : (unit >> 8))));
            ++b;
        }
    }
    return out;
}

Variant fnMidB(Context &, CallArgs &a)
{
    const int32_t start = plainArg(a[1]).toLong();
    if (start < 1)
        raise(ErrInvalidCall);
    int32_t len = -1;
    if (!a.isMissing(2))
        len = nonNegative(a[2]);
    if (a[0].isNull())
        return Variant::null();
    const QString s = textArg(a[0]);
    return Variant(byteSlice(s, start - 1, len < 0 ? qint64(s.size()) * 2 : len));
}

Variant fnLeftB(Context &, CallArgs &a)
{
    const int32_t n = nonNegative(a[1]);
    if (a[0].isNull())
        return Variant::null();
    return Variant(byteSlice(textArg(a[0]), 0, n));
}

Variant fnRightB(Context &, CallArgs &a)
{
    const int32_t n = nonNegative(a[1]);
    if (a[0].isNull())
        return Variant::null();
    const QString s = textArg(a[0]);
    const qint64 total = qint64(s.size()) * 2;
    const qint64 take = std::min<qint64>(n, total);
    return Variant(byteSlice(s, total - take, take));
}

Variant fnChrB(Context &, CallArgs &a)
{
    const int32_t code = plainArg(a[0]).toLong();
    if (code < 0 || code > 255)
        raise(ErrInvalidCall);
    return Variant(QString(QChar(char16_t(code))));
}

Variant caseChange(CallArgs &a, bool upper)
{
    if (a[0].isNull())
        return Variant::null();
    const QString s = textArg(a[0]);
    return Variant(upper ? s.toUpper() : s.toLower());
}

Variant fnLCase(Context &, CallArgs &a) { return caseChange(a, false); }
Variant fnUCase(Context &, CallArgs &a) { return caseChange(a, true); }

// VBScript trims blanks only (not tabs or line ends).
Variant trimmed(CallArgs &a, bool left, bool right)
{
    if (a[0].isNull())
        return Variant::null();
    const QString s = textArg(a[0]);
    qsizetype b = 0, e = s.size();
    if (left)
        while (b < e && s[b] == QLatin1Char(' '))
            ++b;
    if (right)
        while (e > b && s[e - 1] == QLatin1Char(' '))
            --e;
    return Variant(s.mid(b, e - b));
}

Variant fnTrim(Context &, CallArgs &a) { return trimmed(a, true, true); }
Variant fnLTrim(Context &, CallArgs &a) { return trimmed(a, true, false); }
Variant fnRTrim(Context &, CallArgs &a) { return trimmed(a, false, true); }

Variant fnSpace(Context &ctx, CallArgs &a)
{
    const int32_t n = nonNegative(a[0]);
    ctx.checkStringLength(n);
    return Variant(QString(n, QLatin1Char(' ')));
}

Variant fnString(Context &ctx, CallArgs &a)
{
    if (anyNull(a, 2))
        return Variant::null();
    const int32_t n = nonNegative(a[0]);
    const Variant c = plainArg(a[1]);
    QChar ch;
    if (c.isString()) {
        if (c.stringValue().isEmpty())
            raise(ErrInvalidCall);
        ch = c.stringValue().at(0);
    } else {
        const int32_t code = c.toLong();
        ch = charFromAnsi(((code % 256) + 256) % 256);
    }
    ctx.checkStringLength(n);
    return Variant(QString(n, ch));
}

Variant fnStrReverse(Context &, CallArgs &a)
{
    if (a[0].isNull())
        raise(ErrInvalidNull);
    const QString s = textArg(a[0]);
    QString r;
    r.reserve(s.size());
    for (qsizetype i = s.size() - 1; i >= 0; --i)
        r.append(s[i]);
    return Variant(r);
}

Variant fnAsc(Context &, CallArgs &a)
{
    if (a[0].isNull())
        raise(ErrInvalidNull);
    const QString s = textArg(a[0]);
    if (s.isEmpty())
        raise(ErrInvalidCall);
    return integerResult(ansiFromChar(s[0]));
}

Variant fnAscB(Context &, CallArgs &a)
{
    if (a[0].isNull())
        raise(ErrInvalidNull);
    const QString s = textArg(a[0]);
    if (s.isEmpty())
        raise(ErrInvalidCall);
    return integerResult(s[0].unicode() & 0xFF);
}

Variant fnAscW(Context &, CallArgs &a)
{
    if (a[0].isNull())
        raise(ErrInvalidNull);
    const QString s = textArg(a[0]);
    if (s.isEmpty())
        raise(ErrInvalidCall);
    return integerResult(int16_t(s[0].unicode()));
}

Variant fnChr(Context &, CallArgs &a)
{
    const int32_t code = plainArg(a[0]).toLong();
    if (code < 0 || code > 255)
        raise(ErrInvalidCall);
    return Variant(QString(charFromAnsi(code)));
}

Variant fnChrW(Context &, CallArgs &a)
{
    int32_t code = plainArg(a[0]).toLong();
    if (code < -32768 || code > 65535)
        raise(ErrInvalidCall);
    if (code < 0)
        code += 65536;
    return Variant(QString(QChar(char16_t(code))));
}

Variant fnInStr(Context &, CallArgs &a)
{
    // InStr([start,] string1, string2[, compare])
    int first = 0;
    int32_t start = 1;
    if (a.size() >= 3) {
        if (a[0].isNull())
            raise(ErrInvalidNull);
        start = plainArg(a[0]).toLong();
        if (start < 1)
            raise(ErrInvalidCall);
        first = 1;
    }
    const Qt::CaseSensitivity cs = a.size() >= 4 ? compareArg(a, 3) : Qt::CaseSensitive;
    if (a[first].isNull() || a[first + 1].isNull())
        return Variant::null();
    const QString s1 = textArg(a[first]);
    const QString s2 = textArg(a[first + 1]);
    if (start > s1.size())
        return longResult(0);
    if (s2.isEmpty())
        return longResult(start);
    return longResult(s1.indexOf(s2, start - 1, cs) + 1);
}

Variant fnInStrB(Context &ctx, CallArgs &a)
{
    Variant r = fnInStr(ctx, a);
    if (r.isNull())
        return r;
    const int32_t pos = r.longValue();
    return longResult(pos > 0 ? pos * 2 - 1 : 0);
}

Variant fnInStrRev(Context &, CallArgs &a)
{
    // InStrRev(string1, string2[, start[, compare]])
    const int32_t start = longArg(a, 2, -1);
    if (start == 0 || start < -1)
        raise(ErrInvalidCall);
    const Qt::CaseSensitivity cs = compareArg(a, 3);
    const QString s1 = textArg(a[0]); // Null raises 94, unlike InStr
    const QString s2 = textArg(a[1]);
    const qsizetype end = start == -1 ? s1.size() : start;
    if (end > s1.size())
        return longResult(0);
    if (s2.isEmpty())
        return longResult(end);
    const qsizetype from = end - s2.size();
    if (from < 0)
        return longResult(0);
    return longResult(s1.lastIndexOf(s2, from, cs) + 1);
}

Variant fnReplace(Context &ctx, CallArgs &a)
{
    // Replace(expression, find, replacewith[, start[, count[, compare]]]);
    // Null in any of the three texts raises 94.
    const int32_t start = longArg(a, 3, 1);
    const int32_t count = longArg(a, 4, -1);
    if (start < 1 || count < -1)
        raise(ErrInvalidCall);
    const Qt::CaseSensitivity cs = compareArg(a, 5);
    const QString s = textArg(a[0]);
    const QString find = textArg(a[1]);
    const QString with = textArg(a[2]);
    if (start > s.size())
        return Variant(QString());
    const QString tail = start == 1 ? s : s.mid(start - 1);
    if (find.isEmpty() || count == 0)
        return Variant(tail);
    qsizetype first = tail.indexOf(find, 0, cs);
    if (first < 0)
        return Variant(tail);
    QString out;
    out.reserve(tail.size());
    qsizetype pos = 0;
    int done = 0;
    WorkMeter work;
    while (count < 0 || done < count) {
        const qsizetype hit = first >= 0 ? first : tail.indexOf(find, pos, cs);
        first = -1;
        if (hit < 0)
            break;
        work.add(1 + hit - pos + with.size());
        out.append(QStringView(tail).mid(pos, hit - pos));
        out.append(with);
        ctx.checkStringLength(out.size());
        pos = hit + find.size();
        ++done;
    }
    out.append(QStringView(tail).mid(pos));
    ctx.checkStringLength(out.size());
    return Variant(out);
}

Variant fnStrComp(Context &, CallArgs &a)
{
    const Qt::CaseSensitivity cs = compareArg(a, 2);
    if (a[0].isNull() || a[1].isNull())
        return Variant::null();
    const int c = QString::compare(textArg(a[0]), textArg(a[1]), cs);
    return integerResult(c < 0 ? -1 : (c > 0 ? 1 : 0));
}

// Hex and Oct work on the 16-bit value for Integer-sized subtypes and on
// the 32-bit value otherwise.
Variant radixText(CallArgs &a, int radix)
{
    const Variant v = plainArg(a[0]);
    if (v.isNull())
        return Variant::null();
    if (v.isEmpty())
        return Variant(QStringLiteral("0"));
    uint32_t bits;
    switch (v.type()) {
    case VType::Integer: bits = uint16_t(v.integerValue()); break;
    case VType::Byte: bits = v.byteValue(); break;
    case VType::Boolean: bits = v.boolValue() ? 0xFFFFu : 0u; break;
    default: bits = uint32_t(v.toLong()); break;
    }
    return Variant(QString::number(bits, radix).toUpper());
}

Variant fnHex(Context &, CallArgs &a) { return radixText(a, 16); }
Variant fnOct(Context &, CallArgs &a) { return radixText(a, 8); }

bool keptByEscape(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9')
           || u == '@' || u == '*' || u == '_' || u == '+' || u == '-' || u == '.' || u == '/';
}

Variant fnEscape(Context &ctx, CallArgs &a)
{
    if (a[0].isNull())
        return Variant::null();
    const QString s = textArg(a[0]);
    ctx.checkStringLength(qint64(s.size()) * 6);
    QString out;
    out.reserve(s.size() * 3);
    for (QChar c : s) {
        if (keptByEscape(c))
            out.append(c);
        else if (c.unicode() < 256)
            out.append(QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper());
        else
            out.append(QStringLiteral("%u") + QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper());
    }
    return Variant(out);
}

int hexDigit(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

Variant fnUnescape(Context &, CallArgs &a)
{
    if (a[0].isNull())
        return Variant::null();
    const QString s = textArg(a[0]);
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('%')) {
            if (i + 5 < s.size() && (s[i + 1] == QLatin1Char('u') || s[i + 1] == QLatin1Char('U'))) {
                int v = 0;
                bool ok = true;
                for (int k = 2; k < 6; ++k) {
                    const int d = hexDigit(s[i + k]);
                    ok = ok && d >= 0;
                    v = v * 16 + d;
                }
                if (ok) {
                    out.append(QChar(char16_t(v)));
                    i += 5;
                    continue;
                }
            }
            if (i + 2 < s.size() && hexDigit(s[i + 1]) >= 0 && hexDigit(s[i + 2]) >= 0) {
                out.append(QChar(char16_t(hexDigit(s[i + 1]) * 16 + hexDigit(s[i + 2]))));
                i += 2;
                continue;
            }
        }
        out.append(s[i]);
    }
    return Variant(out);
}

} // namespace

void registerStringFunctions(FunctionRegistry &r)
{
    r.add(QStringLiteral("Len"), fnLen, 1, 1);
    r.add(QStringLiteral("LenB"), fnLenB, 1, 1);
    r.add(QStringLiteral("Left"), fnLeft, 2, 2);
    r.add(QStringLiteral("Right"), fnRight, 2, 2);
    r.add(QStringLiteral("Mid"), fnMid, 2, 3);
    r.add(QStringLiteral("MidB"), fnMidB, 2, 3);
    r.add(QStringLiteral("LeftB"), fnLeftB, 2, 2);
    r.add(QStringLiteral("RightB"), fnRightB, 2, 2);
    r.add(QStringLiteral("ChrB"), fnChrB, 1, 1);
    r.add(QStringLiteral("LCase"), fnLCase, 1, 1);
    r.add(QStringLiteral("UCase"), fnUCase, 1, 1);
    r.add(QStringLiteral("Trim"), fnTrim, 1, 1);
    r.add(QStringLiteral("LTrim"), fnLTrim, 1, 1);
    r.add(QStringLiteral("RTrim"), fnRTrim, 1, 1);
    r.add(QStringLiteral("Space"), fnSpace, 1, 1);
    r.add(QStringLiteral("String"), fnString, 2, 2);
    r.add(QStringLiteral("StrReverse"), fnStrReverse, 1, 1);
    r.add(QStringLiteral("Asc"), fnAsc, 1, 1);
    r.add(QStringLiteral("AscB"), fnAscB, 1, 1);
    r.add(QStringLiteral("AscW"), fnAscW, 1, 1);
    r.add(QStringLiteral("Chr"), fnChr, 1, 1);
    r.add(QStringLiteral("ChrW"), fnChrW, 1, 1);
    r.add(QStringLiteral("InStr"), fnInStr, 2, 4);
    r.add(QStringLiteral("InStrB"), fnInStrB, 2, 4);
    r.add(QStringLiteral("InStrRev"), fnInStrRev, 2, 4);
    r.add(QStringLiteral("Replace"), fnReplace, 3, 6);
    r.add(QStringLiteral("StrComp"), fnStrComp, 2, 3);
    r.add(QStringLiteral("Hex"), fnHex, 1, 1);
    r.add(QStringLiteral("Oct"), fnOct, 1, 1);
    r.add(QStringLiteral("Escape"), fnEscape, 1, 1);
    r.add(QStringLiteral("Unescape"), fnUnescape, 1, 1);
}

} // namespace vbs::lib

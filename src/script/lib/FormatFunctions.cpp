// FormatNumber, FormatCurrency, FormatPercent and FormatDateTime in the
// script's locale.

#include "LibSupport.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace vbs::lib {

namespace {

constexpr int kUseDefault = -2;

// Tristate argument: vbTrue (-1) / vbFalse (0) / vbUseDefault (-2).
bool tristate(const CallArgs &a, int i, bool fallback)
{
    const int32_t v = longArg(a, i, kUseDefault);
    if (v == kUseDefault)
        return fallback;
    return v != 0;
}

struct NumberStyle {
    int decimals = 2;
    bool leadingDigit = true;
    bool parens = false;
    bool group = true;
};

NumberStyle styleArgs(const CallArgs &a, int first, bool parensByDefault)
{
    NumberStyle s;
    const int32_t d = longArg(a, first, -1);
    if (d < -1 || d > 255)
        raise(ErrInvalidCall);
    s.decimals = d == -1 ? 2 : d;
    s.leadingDigit = tristate(a, first + 1, true);
    s.parens = tristate(a, first + 2, parensByDefault);
    s.group = tristate(a, first + 3, true);
    return s;
}

// The digits of a rounded number with the locale's separators; *negative
// tells whether a sign is still to be shown.
QString digitsOf(double v, const NumberStyle &style, bool *negative)
{
    const DecimalText t = roundDecimal(v, style.decimals);
    const ScriptLocale &loc = currentLocale();
    QString integer = t.integer;
    if (style.group && integer.size() > 3) {
        QString g;
        const qsizetype n = integer.size();
        for (qsizetype i = 0; i < n; ++i) {
            if (i > 0 && (n - i) % 3 == 0)
                g.append(loc.group);
            g.append(integer[i]);
        }
        integer = g;
    }
    QString out;
    if (!(integer == QLatin1String("0") && !style.leadingDigit && !t.fraction.isEmpty()))
        out = integer;
    if (!t.fraction.isEmpty())
        out += loc.decimal + t.fraction;
    *negative = t.negative;
    return out;
}

double numberArg(const Variant &v)
{
    const Variant p = plainArg(v);
    if (p.isString()) {
        double d;
        if (!parseNumber(p.stringValue(), d))
            raise(ErrTypeMismatch);
        return d;
    }
    return p.toDouble();
}

Variant fnFormatNumber(Context &, CallArgs &a)
{
    const double v = numberArg(a[0]);
    const NumberStyle style = styleArgs(a, 1, false);
    bool neg;
    const QString s = digitsOf(v, style, &neg);
    if (!neg)
        return Variant(s);
    return Variant(style.parens ? QLatin1Char('(') + s + QLatin1Char(')') : QLatin1Char('-') + s);
}

Variant fnFormatCurrency(Context &, CallArgs &a)
{
    const double v = numberArg(a[0]);
    const ScriptLocale &loc = currentLocale();
    // The United States show negative amounts in parentheses; Italy with a sign.
    const NumberStyle style = styleArgs(a, 1, !loc.currencyAfter);
    bool neg;
    QString s = digitsOf(v, style, &neg);
    s = loc.currencyAfter ? s + QLatin1Char(' ') + loc.currencySymbol : loc.currencySymbol + s;
    if (!neg)
        return Variant(s);
    return Variant(style.parens ? QLatin1Char('(') + s + QLatin1Char(')') : QLatin1Char('-') + s);
}

Variant fnFormatPercent(Context &, CallArgs &a)
{
    const double v = numberArg(a[0]) * 100.0;
    const NumberStyle style = styleArgs(a, 1, false);
    bool neg;
    const QString s = digitsOf(v, style, &neg) + QLatin1Char('%');
    if (!neg)
        return Variant(s);
    return Variant(style.parens ? QLatin1Char('(') + s + QLatin1Char(')') : QLatin1Char('-') + s);
}

QString two(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

Variant fnFormatDateTime(Context &, CallArgs &a)
{
    const double d = dateArg(a[0]);
    const int32_t format = longArg(a, 1, 0);
    int y, mo, day, h, mi, s;
    if (!dateToParts(d, y, mo, day, h, mi, s))
        raise(ErrInvalidCall);
    const bool it = italianLocale();
    switch (format) {
    case 0:
        return Variant(formatDate(d));
    case 1: {
        const long long secs = dateToSeconds(d);
        const long long dayNumber = secs >= 0 ? secs / 86400 : -((-secs + 86399) / 86400);
        const int weekday = int(((dayNumber + 6) % 7 + 7) % 7) + 1;
        if (it)
            return Variant(QStringLiteral("%1 %2 %3 %4").arg(weekdayName(weekday, false)).arg(day)
                               .arg(monthName(mo, false)).arg(y));
        // 1033 writes the day without a leading zero: "Tuesday, March 5, 2024".
        return Variant(QStringLiteral("%1, %2 %3, %4").arg(weekdayName(weekday, false), monthName(mo, false))
                           .arg(day).arg(y));
    }
    case 2:
        if (it)
            return Variant(QStringLiteral("%1/%2/%3").arg(two(day), two(mo)).arg(y, 4, 10, QLatin1Char('0')));
        return Variant(QStringLiteral("%1/%2/%3").arg(mo).arg(day).arg(y, 4, 10, QLatin1Char('0')));
    case 3:
        if (it)
            return Variant(QStringLiteral("%1:%2:%3").arg(two(h), two(mi), two(s)));
        return Variant(QStringLiteral("%1:%2:%3 %4").arg(h % 12 == 0 ? 12 : h % 12).arg(two(mi), two(s),
                                                                                        h < 12 ? QStringLiteral("AM") : QStringLiteral("PM")));
    case 4:
        return Variant(QStringLiteral("%1:%2").arg(two(h), two(mi)));
    default:
        raise(ErrInvalidCall);
    }
}

} // namespace

DecimalText roundDecimal(double v, int decimals)
{
    DecimalText t;
    if (!std::isfinite(v))
        raise(ErrOverflow);
    t.negative = v < 0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    std::string digits;
    const char *e = std::strchr(buf, 'e');
    for (const char *p = buf; p < e; ++p) {
        if (*p >= '0' && *p <= '9')
            digits += *p;
    }
    int point = std::atoi(e + 1) + 1; // digits before the decimal point
    const int keep = point + decimals;
    std::string kept;
    if (keep >= 0) {
        if (int(digits.size()) < keep + 1)
            digits.append(size_t(keep + 1 - int(digits.size())), '0');
        kept = digits.substr(0, size_t(keep));
        if (digits[size_t(keep)] >= '5') {
            int i = int(kept.size()) - 1;
            while (i >= 0 && kept[size_t(i)] == '9')
                kept[size_t(i--)] = '0';
            if (i >= 0) {
                ++kept[size_t(i)];
            } else {
                kept.insert(kept.begin(), '1');
                ++point;
            }
        }
    }
    if (point <= 0) {
        kept.insert(0, size_t(1 - point), '0');
        point = 1;
    }
    if (int(kept.size()) < point + decimals)
        kept.append(size_t(point + decimals - int(kept.size())), '0');
    std::string integer = kept.substr(0, size_t(point));
    const size_t nz = integer.find_first_not_of('0');
    integer = nz == std::string::npos ? std::string("0") : integer.substr(nz);
    t.integer = QString::fromLatin1(integer.c_str());
    t.fraction = QString::fromLatin1(kept.substr(size_t(point), size_t(decimals)).c_str());
    if (kept.find_first_not_of('0') == std::string::npos)
        t.negative = false;
    return t;
}

void registerFormatFunctions(FunctionRegistry &r)
{
    r.add(QStringLiteral("FormatNumber"), fnFormatNumber, 1, 5);
    r.add(QStringLiteral("FormatCurrency"), fnFormatCurrency, 1, 5);
    r.add(QStringLiteral("FormatPercent"), fnFormatPercent, 1, 5);
    r.add(QStringLiteral("FormatDateTime"), fnFormatDateTime, 1, 2);
}

} // namespace vbs::lib

// Numbers and dates as text: VBScript's number formatting and parsing, and
// the OLE date arithmetic with its parsing and formatting.

#include "Variant.h"
#include "VariantSupport.h"

#include "Dispatch.h"

#include <QDate>
#include <QLocale>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>

namespace vbs {

// --- numbers and text ---------------------------------------------------------

double roundHalfEven(double v)
{
    const double r = std::nearbyint(v); // default rounding mode: to nearest, ties to even
    return r;
}

static QString applyDecimal(QString s)
{
    const QChar dec = currentLocale().decimal;
    if (dec != QLatin1Char('.'))
        s.replace(QLatin1Char('.'), dec);
    return s;
}

static QString formatG(double v, int digits)
{
    if (v == 0)
        return QStringLiteral("0");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", digits, v);
    return applyDecimal(QString::fromLatin1(buf));
}

QString formatDouble(double v)
{
    return formatG(v, 15);
}

QString formatSingle(float v)
{
    return formatG(double(v), 7);
}

QString formatCurrency(int64_t scaled)
{
    const bool neg = scaled < 0;
    const uint64_t a = neg ? uint64_t(0) - uint64_t(scaled) : uint64_t(scaled);
    QString s = QString::number(a / 10000);
    uint64_t frac = a % 10000;
    if (frac) {
        QString f = QString::number(frac).rightJustified(4, QLatin1Char('0'));
        while (f.endsWith(QLatin1Char('0')))
            f.chop(1);
        s += currentLocale().decimal + f;
    }
    return neg ? QLatin1Char('-') + s : s;
}

static bool parseRadix(const QString &t, int start, int radix, double &out)
{
    if (start >= t.size())
        return false;
    uint64_t v = 0;
    for (int i = start; i < t.size(); ++i) {
        const int d = QChar(t[i]).digitValue();
        const QChar c = t[i].toLower();
        int digit = d;
        if (radix == 16 && c >= QLatin1Char('a') && c <= QLatin1Char('f'))
            digit = c.unicode() - 'a' + 10;
        if (digit < 0 || digit >= radix)
            return false;
        v = v * radix + digit;
        if (v > 0xFFFFFFFFull)
            return false;
    }
    // &H literals are 32-bit: &HFFFFFFFF is -1.
    out = double(int32_t(uint32_t(v)));
    if (v <= 0x7FFF || (v > 0xFFFF && v <= 0x7FFFFFFF))
        out = double(v);
    else if (v <= 0xFFFF)
        out = double(int16_t(uint16_t(v)));
    return true;
}

bool parseNumber(const QString &text, double &out)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    if (t.size() > 2 && t[0] == QLatin1Char('&')) {
        const QChar k = t[1].toLower();
        if (k == QLatin1Char('h'))
            return parseRadix(t, 2, 16, out);
        if (k == QLatin1Char('o'))
            return parseRadix(t, 2, 8, out);
        return false;
    }
    const ScriptLocale &loc = currentLocale();
    QByteArray buf;
    buf.reserve(t.size() + 2);
    int i = 0;
    const int n = t.size();
    if (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')) {
        if (t[i] == QLatin1Char('-'))
            buf += '-';
        ++i;
        while (i < n && t[i] == QLatin1Char(' '))
            ++i;
    }
    bool digits = false;
    bool seenDecimal = false;
    for (; i < n; ++i) {
        const QChar c = t[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            buf += char(c.unicode());
            digits = true;
        } else if (c == loc.decimal && !seenDecimal) {
            buf += '.';
            seenDecimal = true;
        } else if (c == loc.group && !seenDecimal && digits) {
            continue;
        } else {
            break;
        }
    }
    if (!digits)
        return false;
    if (i < n && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E') || t[i] == QLatin1Char('d')
                  || t[i] == QLatin1Char('D'))) {
        buf += 'e';
        ++i;
        if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
            buf += char(t[i++].unicode());
        bool expDigits = false;
        while (i < n && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9')) {
            buf += char(t[i++].unicode());
            expDigits = true;
        }
        if (!expDigits)
            return false;
    }
    if (i != n)
        return false;
    char *end = nullptr;
    const double v = std::strtod(buf.constData(), &end);
    if (!std::isfinite(v))
        return false;
    out = v;
    return true;
}

// --- dates ----------------------------------------------------------------------

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
static long long daysFromCivil(long long y, long long m, long long d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

static void civilFromDays(long long z, int &y, int &m, int &d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yoe + era * 400 + (m <= 2));
}

static const long long kOleEpoch = daysFromCivil(1899, 12, 30);

double dateFromParts(int year, int month, int day, double timeFraction)
{
    // Month overflow is carried into the year, as DateSerial does.
    long long y = year;
    long long m = month - 1;
    y += m >= 0 ? m / 12 : -((11 - m) / 12);
    m = ((m % 12) + 12) % 12;
    const long long days = daysFromCivil(y, m + 1, 1) + (day - 1) - kOleEpoch;
    const double d = double(days);
    return d >= 0 ? d + timeFraction : d - timeFraction;
}

bool dateToParts(double ole, int &year, int &month, int &day, int &hour, int &minute, int &second)
{
    if (!(ole >= kMinDate - 1 && ole <= kMaxDate + 1))
        return false;
    double days = std::trunc(ole);
    double frac = std::fabs(ole - days);
    long long secs = std::llround(frac * 86400.0);
    if (secs >= 86400) {
        secs -= 86400;
        days += ole >= 0 ? 1 : -1;
    }
    civilFromDays((long long)days + kOleEpoch, year, month, day);
    hour = int(secs / 3600);
    minute = int(secs / 60 % 60);
    second = int(secs % 60);
    return true;
}

QString formatDate(double ole)
{
    int y, mo, d, h, mi, s;
    if (!dateToParts(ole, y, mo, d, h, mi, s))
        raise(ErrOverflow);
    const ScriptLocale &loc = currentLocale();
    const bool hasDate = std::trunc(ole) != 0;
    const bool hasTime = h != 0 || mi != 0 || s != 0;
    QString out;
    if (hasDate) {
        if (loc.dayFirst)
            out = QStringLiteral("%1/%2/%3").arg(d, 2, 10, QLatin1Char('0')).arg(mo, 2, 10, QLatin1Char('0')).arg(y, 4, 10, QLatin1Char('0'));
        else
            out = QStringLiteral("%1/%2/%3").arg(mo).arg(d).arg(y, 4, 10, QLatin1Char('0'));
    }
    if (hasTime || !hasDate) {
        QString t;
        if (loc.hour24) {
            t = QStringLiteral("%1:%2:%3").arg(h, 2, 10, QLatin1Char('0')).arg(mi, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'));
        } else {
            const int h12 = h % 12 == 0 ? 12 : h % 12;
            t = QStringLiteral("%1:%2:%3 %4").arg(h12).arg(mi, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'))
                    .arg(h < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
        }
        out = out.isEmpty() ? t : out + QLatin1Char(' ') + t;
    }
    return out;
}

static int monthFromName(const QString &word)
{
    static const char *const en[] = {"january", "february", "march", "april", "may", "june", "july",
                                     "august", "september", "october", "november", "december"};
    static const char *const it[] = {"gennaio", "febbraio", "marzo", "aprile", "maggio", "giugno", "luglio",
                                     "agosto", "settembre", "ottobre", "novembre", "dicembre"};
    const QString w = word.toLower();
    if (w.size() < 3)
        return 0;
    for (int i = 0; i < 12; ++i) {
        const QString e = QLatin1String(en[i]);
        const QString t = QLatin1String(it[i]);
        if (e == w || t == w || (w.size() == 3 && (e.startsWith(w) || t.startsWith(w))))
            return i + 1;
    }
    return 0;
}

bool parseDate(const QString &input, double &out)
{
    const QString text = input.trimmed();
    if (text.isEmpty())
        return false;
    // Tokenise: numbers, words, separators.
    QList<int> nums;          // date numbers in order
    int month = 0;            // from a month name
    int timeParts[3] = {0, 0, 0};
    int timeCount = 0;
    bool hasTime = false;
    int ampm = 0; // 1 am, 2 pm
    const int n = text.size();
    int i = 0;
    bool inTime = false;
    bool yearFirst = false;
    while (i < n) {
        const QChar c = text[i];
        if (c.isDigit()) {
            int j = i;
            long long v = 0;
            while (j < n && text[j].isDigit()) {
                v = v * 10 + text[j].digitValue();
                if (v > 100000)
                    return false;
                ++j;
            }
            const bool followedByColon = j < n && text[j] == QLatin1Char(':');
            if (inTime || followedByColon) {
                if (timeCount >= 3)
                    return false;
                timeParts[timeCount++] = int(v);
                hasTime = true;
                inTime = followedByColon || (j < n && text[j] == QLatin1Char(':'));
                if (!followedByColon)
                    inTime = false;
            } else {
                if (nums.isEmpty() && j - i == 4 && j < n && text[j] == QLatin1Char('-'))
                    yearFirst = true;
                nums.append(int(v));
                if (nums.size() > 3)
                    return false;
            }
            i = j;
        } else if (c.isLetter()) {
            int j = i;
            while (j < n && text[j].isLetter())
                ++j;
            const QString w = text.mid(i, j - i).toLower();
            if (w == QLatin1String("am") || w == QLatin1String("a"))
                ampm = 1;
            else if (w == QLatin1String("pm") || w == QLatin1String("p"))
                ampm = 2;
            else if (int m = monthFromName(w))
                month = m;
            else if (w == QLatin1String("t") && hasTime == false)
                ; // ISO separator
            else
                return false;
            i = j;
        } else if (c == QLatin1Char(':')) {
            inTime = true;
            ++i;
        } else if (c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char('.') || c == QLatin1Char(' ')
                   || c == QLatin1Char(',')) {
            ++i;
        } else {
            return false;
        }
    }
    int y = 0, m = 0, d = 0;
    bool hasDate = false;
    const ScriptLocale &loc = currentLocale();
    if (month) {
        if (nums.size() == 2) {
            if (nums[0] > 31) { y = nums[0]; d = nums[1]; }
            else { d = nums[0]; y = nums[1]; }
        } else if (nums.size() == 1) {
            d = nums[0];
            y = QDate::currentDate().year();
        } else {
            return false;
        }
        m = month;
        hasDate = true;
    } else if (nums.size() == 3) {
        if (yearFirst || nums[0] > 31) {
            y = nums[0]; m = nums[1]; d = nums[2];
        } else if (loc.dayFirst) {
            d = nums[0]; m = nums[1]; y = nums[2];
            if (m > 12 && d <= 12)
                std::swap(d, m);
        } else {
            m = nums[0]; d = nums[1]; y = nums[2];
            if (m > 12 && d <= 12)
                std::swap(d, m);
        }
        hasDate = true;
    } else if (nums.size() == 2) {
        y = QDate::currentDate().year();
        if (loc.dayFirst) { d = nums[0]; m = nums[1]; }
        else { m = nums[0]; d = nums[1]; }
        if (m > 12 && d <= 12)
            std::swap(d, m);
        hasDate = true;
    } else if (!nums.isEmpty()) {
        return false;
    }
    if (!hasDate && !hasTime)
        return false;
    double result = 0;
    if (hasDate) {
        if (y < 100 && y >= 0)
            y += y < 30 ? 2000 : 1900;
        if (m < 1 || m > 12 || d < 1 || y < 100 || y > 9999)
            return false;
        const QDate check(y, m, 1);
        if (!check.isValid() || d > check.daysInMonth())
            return false;
        result = dateFromParts(y, m, d);
    }
    if (hasTime || ampm) {
        int h = timeParts[0], mi = timeParts[1], s = timeParts[2];
        if (timeCount == 0)
            return false;
        if (ampm) {
            if (h < 1 || h > 12)
                return false;
            if (ampm == 1 && h == 12)
                h = 0;
            else if (ampm == 2 && h != 12)
                h += 12;
        }
        if (h > 23 || mi > 59 || s > 59)
            return false;
        const double frac = (h * 3600 + mi * 60 + s) / 86400.0;
        result = result >= 0 ? result + frac : result - frac;
    }
    out = result;
    return true;
}

} // namespace vbs

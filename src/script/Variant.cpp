#include "Variant.h"

#include "Dispatch.h"

#include <QDate>
#include <QLocale>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>

namespace vbs {

// --- Variant lifetime ---------------------------------------------------------

Variant::Variant(Dispatch *obj) : m_type(VType::Object)
{
    m_u.i64 = 0;
    m_u.obj = obj;
    if (obj)
        obj->addRef();
}

Variant Variant::array(ArrayData *a)
{
    Variant r;
    r.m_type = VType::Array;
    r.m_u.arr = a;
    if (a)
        a->addRef();
    return r;
}

void Variant::copyFrom(const Variant &o)
{
    m_type = o.m_type;
    switch (m_type) {
    case VType::String:
        new (&m_u.s) QString(o.m_u.s);
        break;
    case VType::Object:
        m_u.i64 = 0;
        m_u.obj = o.m_u.obj;
        if (m_u.obj)
            m_u.obj->addRef();
        break;
    case VType::Array:
        m_u.i64 = 0;
        m_u.arr = o.m_u.arr;
        if (m_u.arr)
            m_u.arr->addRef();
        break;
    default:
        m_u.i64 = o.m_u.i64;
    }
}

void Variant::destroy() noexcept
{
    // The variable reads as Empty before the old value goes, so that a
    // Class_Terminate that looks at it sees it already cleared.
    const VType t = m_type;
    m_type = VType::Empty;
    switch (t) {
    case VType::String:
        m_u.s.~QString();
        m_u.i64 = 0;
        break;
    case VType::Object: {
        Dispatch *o = m_u.obj;
        m_u.i64 = 0;
        if (o)
            o->release();
        break;
    }
    case VType::Array: {
        ArrayData *a = m_u.arr;
        m_u.i64 = 0;
        if (a)
            a->release();
        break;
    }
    default:
        break;
    }
}

// --- locale -------------------------------------------------------------------

ScriptLocale ScriptLocale::forLcid(int lcid)
{
    ScriptLocale l;
    if (lcid == 1040) {
        l.lcid = 1040;
        l.decimal = QLatin1Char(',');
        l.group = QLatin1Char('.');
        l.dayFirst = true;
        l.hour24 = true;
        l.currencySymbol = QString(QChar(0x20AC));
        l.currencyAfter = true;
    }
    return l;
}

bool ScriptLocale::isKnown(int lcid)
{
    return lcid == 1033 || lcid == 1040;
}

static thread_local ScriptLocale t_locale;

const ScriptLocale &currentLocale()
{
    return t_locale;
}

void setCurrentLocale(const ScriptLocale &locale)
{
    t_locale = locale;
}

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
static const double kMinDate = -657434.0;  // 1 January 100
static const double kMaxDate = 2958465.99999; // 31 December 9999

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

// --- conversions --------------------------------------------------------------------

static Variant defaultOf(const Variant &v)
{
    if (v.isNothing())
        raise(ErrObjectNotSet);
    Variant r = defaultValue(v);
    if (r.isObject())
        raise(ErrTypeMismatch);
    return r;
}

double Variant::toDouble() const
{
    switch (m_type) {
    case VType::Empty: return 0;
    case VType::Null: raise(ErrInvalidNull);
    case VType::Boolean: return m_u.b ? -1 : 0;
    case VType::Byte: return m_u.u8;
    case VType::Integer: return m_u.i16;
    case VType::Long: return m_u.i32;
    case VType::Single: return m_u.f;
    case VType::Double: return m_u.d;
    case VType::Currency: return double(m_u.i64) / 10000.0;
    case VType::Date: return m_u.d;
    case VType::String: {
        double d;
        if (!parseNumber(m_u.s, d))
            raise(ErrTypeMismatch);
        return d;
    }
    case VType::Object: return defaultOf(*this).toDouble();
    case VType::Ref: return m_u.ref->toDouble();
    default: raise(ErrTypeMismatch);
    }
}

int32_t Variant::toLong() const
{
    switch (m_type) {
    case VType::Integer: return m_u.i16;
    case VType::Long: return m_u.i32;
    case VType::Byte: return m_u.u8;
    case VType::Boolean: return m_u.b ? -1 : 0;
    case VType::Empty: return 0;
    default: break;
    }
    const double r = roundHalfEven(toDouble());
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        raise(ErrOverflow);
    return int32_t(r);
}

int16_t Variant::toInteger() const
{
    if (m_type == VType::Integer)
        return m_u.i16;
    const double r = m_type == VType::Long ? double(m_u.i32) : roundHalfEven(toDouble());
    if (!(r >= -32768.0 && r <= 32767.0))
        raise(ErrOverflow);
    return int16_t(r);
}

uint8_t Variant::toByte() const
{
    const double r = roundHalfEven(toDouble());
    if (!(r >= 0 && r <= 255))
        raise(ErrOverflow);
    return uint8_t(r);
}

int64_t Variant::toCurrency() const
{
    if (m_type == VType::Currency)
        return m_u.i64;
    const double v = roundHalfEven(toDouble() * 10000.0);
    if (!(v >= -9.2233720368547758e18 && v < 9.2233720368547758e18))
        raise(ErrOverflow);
    return int64_t(v);
}

float Variant::toSingle() const
{
    const double d = toDouble();
    if (std::fabs(d) > FLT_MAX)
        raise(ErrOverflow);
    return float(d);
}

double Variant::toDate() const
{
    switch (m_type) {
    case VType::Date: return m_u.d;
    case VType::String: {
        double d;
        if (parseDate(m_u.s, d))
            return d;
        if (parseNumber(m_u.s, d) && d >= kMinDate && d <= kMaxDate)
            return d;
        raise(ErrTypeMismatch);
    }
    case VType::Ref: return m_u.ref->toDate();
    case VType::Object: return defaultOf(*this).toDate();
    default: {
        const double d = toDouble();
        if (!(d >= kMinDate && d <= kMaxDate))
            raise(ErrOverflow);
        return d;
    }
    }
}

bool Variant::toBool() const
{
    switch (m_type) {
    case VType::Boolean: return m_u.b;
    case VType::Empty: return false;
    case VType::Null: raise(ErrInvalidNull);
    case VType::String: {
        if (m_u.s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
            || (currentLocale().lcid == 1040 && m_u.s.compare(QLatin1String("vero"), Qt::CaseInsensitive) == 0))
            return true;
        if (m_u.s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0
            || (currentLocale().lcid == 1040 && m_u.s.compare(QLatin1String("falso"), Qt::CaseInsensitive) == 0))
            return false;
        double d;
        if (!parseNumber(m_u.s, d))
            raise(ErrTypeMismatch);
        return d != 0;
    }
    case VType::Integer: return m_u.i16 != 0;
    case VType::Long: return m_u.i32 != 0;
    case VType::Ref: return m_u.ref->toBool();
    case VType::Object: return defaultOf(*this).toBool();
    default: return toDouble() != 0;
    }
}

QString Variant::toString() const
{
    switch (m_type) {
    case VType::String: return m_u.s;
    case VType::Empty: return QString();
    case VType::Null: raise(ErrInvalidNull);
    case VType::Boolean:
        if (currentLocale().lcid == 1040)
            return m_u.b ? QStringLiteral("Vero") : QStringLiteral("Falso");
        return m_u.b ? QStringLiteral("True") : QStringLiteral("False");
    case VType::Byte: return QString::number(m_u.u8);
    case VType::Integer: return QString::number(m_u.i16);
    case VType::Long: return QString::number(m_u.i32);
    case VType::Single: return formatSingle(m_u.f);
    case VType::Double: return formatDouble(m_u.d);
    case VType::Currency: return formatCurrency(m_u.i64);
    case VType::Date: return formatDate(m_u.d);
    case VType::Error: return QStringLiteral("Error %1").arg(m_u.i32);
    case VType::Ref: return m_u.ref->toString();
    case VType::Object: return defaultOf(*this).toString();
    default: raise(ErrTypeMismatch);
    }
}

QString Variant::toText() const
{
    const Variant &v = deref();
    if (v.m_type == VType::Null || v.m_type == VType::Empty)
        return QString();
    if (v.m_type == VType::Object) {
        const Variant d = defaultOf(v);
        return d.toText();
    }
    return v.toString();
}

Variant Variant::toNumeric() const
{
    switch (m_type) {
    case VType::Empty: return Variant(int16_t(0));
    case VType::Boolean: return Variant(int16_t(m_u.b ? -1 : 0));
    case VType::Null:
    case VType::Byte:
    case VType::Integer:
    case VType::Long:
    case VType::Single:
    case VType::Double:
    case VType::Currency:
    case VType::Date:
        return *this;
    case VType::String: {
        double d;
        if (!parseNumber(m_u.s, d))
            raise(ErrTypeMismatch);
        return Variant(d);
    }
    case VType::Ref: return m_u.ref->toNumeric();
    case VType::Object: return defaultOf(*this).toNumeric();
    default: raise(ErrTypeMismatch);
    }
}

bool Variant::isNumeric() const
{
    switch (m_type) {
    case VType::Empty:
    case VType::Boolean:
    case VType::Byte:
    case VType::Integer:
    case VType::Long:
    case VType::Single:
    case VType::Double:
    case VType::Currency:
        return true;
    case VType::String: {
        double d;
        return parseNumber(m_u.s, d);
    }
    case VType::Ref: return m_u.ref->isNumeric();
    default: return false;
    }
}

Dispatch *Variant::toObject() const
{
    const Variant &v = deref();
    if (v.m_type != VType::Object)
        raise(ErrObjectRequired);
    return v.m_u.obj;
}

// --- arrays -------------------------------------------------------------------------

ArrayData::ArrayData(std::vector<ArrayBound> d) : dims(std::move(d))
{
    size_t total = dims.empty() ? 0 : 1;
    for (const ArrayBound &b : dims)
        total *= size_t(b.count);
    items.resize(total);
}

long long ArrayData::flatIndex(const int32_t *subs, int n) const
{
    if (n != int(dims.size()))
        return -1;
    long long flat = 0;
    long long stride = 1;
    for (int i = 0; i < n; ++i) {
        const long long k = (long long)subs[i] - dims[i].lower;
        if (k < 0 || k >= dims[i].count)
            return -1;
        flat += k * stride;
        stride *= dims[i].count;
    }
    return flat;
}

Variant &ArrayData::at(const int32_t *subs, int n)
{
    const long long k = flatIndex(subs, n);
    if (k < 0)
        raise(ErrSubscript);
    return items[size_t(k)];
}

Variant makeArray(std::vector<Variant> values)
{
    auto *a = new ArrayData;
    a->dims.push_back({0, int32_t(values.size())});
    a->items = std::move(values);
    return Variant::array(a);
}

ArrayData *detachArray(Variant &v)
{
    ArrayData *a = v.arrayValue();
    if (a->refCount() > 1) {
        auto *copy = new ArrayData(*a);
        v = Variant::array(copy);
        return copy;
    }
    return a;
}

// --- operators ------------------------------------------------------------------------

namespace {

// Precision order of numeric subtypes for arithmetic results.
int rankOf(VType t)
{
    switch (t) {
    case VType::Byte: return 1;
    case VType::Integer: return 2;
    case VType::Long: return 3;
    case VType::Single: return 4;
    case VType::Double: return 5;
    case VType::Currency: return 6;
    case VType::Date: return 7;
    default: return 5;
    }
}

Variant fitInteger(long long v, int rank)
{
    if (rank <= 1 && v >= 0 && v <= 255)
        return Variant::byte(uint8_t(v));
    if (rank <= 2 && v >= -32768 && v <= 32767)
        return Variant(int16_t(v));
    if (v >= INT32_MIN && v <= INT32_MAX)
        return Variant(int32_t(v));
    return Variant(double(v));
}

long long intOf(const Variant &v)
{
    switch (v.type()) {
    case VType::Byte: return v.byteValue();
    case VType::Integer: return v.integerValue();
    case VType::Long: return v.longValue();
    default: return 0;
    }
}

Variant checkedDouble(double d)
{
    if (!std::isfinite(d))
        raise(ErrOverflow);
    return Variant(d);
}

Variant checkedCurrency(double d)
{
    const double s = roundHalfEven(d * 10000.0);
    if (!(s >= -9.2233720368547758e18 && s < 9.2233720368547758e18))
        raise(ErrOverflow);
    return Variant::currency(int64_t(s));
}

Variant checkedDate(double d)
{
    if (!(d >= kMinDate && d <= kMaxDate + 1))
        raise(ErrOverflow);
    return Variant::date(d);
}

enum class Arith { Add, Sub, Mul };

Variant arith(Arith op, const Variant &a0, const Variant &b0)
{
    const Variant &a = a0.deref();
    const Variant &b = b0.deref();
    // Fast path: both Integer/Long.
    const VType ta = a.type(), tb = b.type();
    if ((ta == VType::Integer || ta == VType::Long) && (tb == VType::Integer || tb == VType::Long)) {
        const long long x = intOf(a), y = intOf(b);
        const long long r = op == Arith::Add ? x + y : op == Arith::Sub ? x - y : x * y;
        return fitInteger(r, std::max(rankOf(ta), rankOf(tb)));
    }
    if (ta == VType::Double && tb == VType::Double) {
        const double x = a.doubleValue(), y = b.doubleValue();
        return checkedDouble(op == Arith::Add ? x + y : op == Arith::Sub ? x - y : x * y);
    }
    if (ta == VType::Null || tb == VType::Null)
        return Variant::null();
    if (op == Arith::Add) {
        if (ta == VType::String && tb == VType::String)
            return Variant(a.stringValue() + b.stringValue());
        if (ta == VType::String && tb == VType::Empty)
            return a;
        if (tb == VType::String && ta == VType::Empty)
            return b;
    }
    const Variant x = a.toNumeric();
    const Variant y = b.toNumeric();
    if (x.isNull() || y.isNull())
        return Variant::null();
    const VType tx = x.type(), ty = y.type();
    int rank = std::max(rankOf(tx), rankOf(ty));
    if (tx == VType::Date || ty == VType::Date) {
        const double r = op == Arith::Add ? x.toDouble() + y.toDouble()
                         : op == Arith::Sub ? x.toDouble() - y.toDouble()
                                            : x.toDouble() * y.toDouble();
        if (op == Arith::Mul || (op == Arith::Sub && tx == VType::Date && ty == VType::Date))
            return checkedDouble(r);
        return checkedDate(r);
    }
    if (rank <= 3) {
        const long long p = intOf(x), q = intOf(y);
        const long long r = op == Arith::Add ? p + q : op == Arith::Sub ? p - q : p * q;
        return fitInteger(r, rank);
    }
    const double p = x.toDouble(), q = y.toDouble();
    const double r = op == Arith::Add ? p + q : op == Arith::Sub ? p - q : p * q;
    if (rank == 6)
        return checkedCurrency(r);
    if (rank == 4 && !((tx == VType::Long || ty == VType::Long))) {
        if (std::fabs(r) <= FLT_MAX)
            return Variant::single(float(r));
    }
    return checkedDouble(r);
}

// Integer operands of \, Mod and the logical operators.
bool isSmallInt(VType t)
{
    return t == VType::Byte || t == VType::Integer || t == VType::Boolean || t == VType::Empty;
}

} // namespace

Variant opAdd(const Variant &a, const Variant &b) { return arith(Arith::Add, a, b); }
Variant opSub(const Variant &a, const Variant &b) { return arith(Arith::Sub, a, b); }
Variant opMul(const Variant &a, const Variant &b) { return arith(Arith::Mul, a, b); }

Variant opDiv(const Variant &a0, const Variant &b0)
{
    const Variant &a = a0.deref();
    const Variant &b = b0.deref();
    if (a.isNull() || b.isNull())
        return Variant::null();
    const Variant x = a.toNumeric(), y = b.toNumeric();
    if (x.isNull() || y.isNull())
        return Variant::null();
    const double p = x.toDouble(), q = y.toDouble();
    if (q == 0)
        raise(p == 0 ? ErrOverflow : ErrDivisionByZero);
    const double r = p / q;
    if (x.type() == VType::Currency || y.type() == VType::Currency)
        return checkedCurrency(r);
    if ((x.type() == VType::Single && (y.type() == VType::Single || isSmallInt(y.type())))
        || (y.type() == VType::Single && isSmallInt(x.type()))) {
        if (std::fabs(r) <= FLT_MAX)
            return Variant::single(float(r));
    }
    return checkedDouble(r);
}

namespace {

// \ and Mod: both operands rounded to whole numbers; Byte op Byte stays a
// Byte, Integer and Byte operands give an Integer when the result fits.
Variant integerDivision(const Variant &a0, const Variant &b0, bool remainder)
{
    const Variant &a = a0.deref();
    const Variant &b = b0.deref();
    if (a.isNull() || b.isNull())
        return Variant::null();
    const Variant x = a.toNumeric(), y = b.toNumeric();
    const long long p = x.toLong(), q = y.toLong();
    if (q == 0)
        raise(ErrDivisionByZero);
    const long long r = remainder ? p % q : p / q;
    if (x.type() == VType::Byte && y.type() == VType::Byte)
        return Variant::byte(uint8_t(r));
    return fitInteger(r, isSmallInt(x.type()) && isSmallInt(y.type()) ? 2 : 3);
}

} // namespace

Variant opIntDiv(const Variant &a0, const Variant &b0)
{
    return integerDivision(a0, b0, false);
}

Variant opMod(const Variant &a0, const Variant &b0)
{
    return integerDivision(a0, b0, true);
}

Variant opPow(const Variant &a0, const Variant &b0)
{
    const Variant &a = a0.deref();
    const Variant &b = b0.deref();
    if (a.isNull() || b.isNull())
        return Variant::null();
    const double p = a.toNumeric().toDouble(), q = b.toNumeric().toDouble();
    if (p == 0 && q < 0)
        raise(ErrInvalidCall);
    if (p < 0 && q != std::trunc(q))
        raise(ErrInvalidCall);
    return checkedDouble(std::pow(p, q));
}

Variant opConcat(const Variant &a0, const Variant &b0)
{
    const Variant &a = a0.deref();
    const Variant &b = b0.deref();
    if (a.isNull() && b.isNull())
        return Variant::null();
    if (a.isString() && b.isString())
        return Variant(a.stringValue() + b.stringValue());
    return Variant(a.toText() + b.toText());
}

Variant opNeg(const Variant &a0)
{
    const Variant &a = a0.deref();
    switch (a.type()) {
    case VType::Null: return a;
    case VType::Empty: return Variant(int16_t(0));
    case VType::Boolean: return Variant(int16_t(a.boolValue() ? 1 : 0));
    case VType::Byte: return Variant(int16_t(-int(a.byteValue())));
    case VType::Integer: return fitInteger(-(long long)a.integerValue(), 2);
    case VType::Long: return fitInteger(-(long long)a.longValue(), 3);
    case VType::Single: return Variant::single(-a.singleValue());
    case VType::Double: return Variant(-a.doubleValue());
    case VType::Currency: return Variant::currency(-a.currencyValue());
    case VType::Date: return checkedDate(-a.dateValue());
    default: return opNeg(a.toNumeric());
    }
}

namespace {

// Logical operand: Null stays Null, Boolean stays Boolean, else a number.
Variant logicalOperand(const Variant &v0)
{
    const Variant &v = v0.deref();
    switch (v.type()) {
    case VType::Null:
    case VType::Boolean:
    case VType::Byte:
    case VType::Integer:
    case VType::Long:
        return v;
    case VType::Empty: return Variant(int16_t(0));
    case VType::String:
        if (v.stringValue().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return Variant(true);
        if (v.stringValue().compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return Variant(false);
        return Variant(v.toLong());
    case VType::Object: return logicalOperand(defaultOf(v));
    default: return Variant(v.toLong());
    }
}

enum class Logic { And, Or, Xor, Eqv, Imp };

long long logicApply(Logic op, long long x, long long y)
{
    switch (op) {
    case Logic::And: return x & y;
    case Logic::Or: return x | y;
    case Logic::Xor: return x ^ y;
    case Logic::Eqv: return ~(x ^ y);
    case Logic::Imp: return (~x) | y;
    }
    return 0;
}

long long logicInt(const Variant &v)
{
    if (v.type() == VType::Boolean)
        return v.boolValue() ? -1 : 0;
    return intOf(v);
}

Variant logic(Logic op, const Variant &a0, const Variant &b0)
{
    const Variant a = logicalOperand(a0);
    const Variant b = logicalOperand(b0);
    if (a.isNull() || b.isNull()) {
        const Variant &other = a.isNull() ? b : a;
        const bool otherNull = other.isNull();
        switch (op) {
        case Logic::And:
            if (!otherNull && logicInt(other) == 0)
                return other.type() == VType::Boolean ? Variant(false) : fitInteger(0, 2);
            return Variant::null();
        case Logic::Or:
            if (!otherNull && other.type() == VType::Boolean && other.boolValue())
                return Variant(true);
            if (!otherNull && logicInt(other) == -1)
                return other;
            return Variant::null();
        case Logic::Imp:
            if (a.isNull() && !b.isNull() && logicInt(b) == -1)
                return b.type() == VType::Boolean ? Variant(true) : b;
            if (b.isNull() && !a.isNull() && logicInt(a) == 0)
                return a.type() == VType::Boolean ? Variant(true) : fitInteger(-1, 2);
            return Variant::null();
        default:
            return Variant::null();
        }
    }
    const long long r = logicApply(op, logicInt(a), logicInt(b));
    if (a.type() == VType::Boolean && b.type() == VType::Boolean)
        return Variant(r != 0);
    if (a.type() == VType::Byte && b.type() == VType::Byte)
        return Variant::byte(uint8_t(r));
    if (a.type() != VType::Long && b.type() != VType::Long)
        return Variant(int16_t(r));
    return Variant(int32_t(r));
}

} // namespace

Variant opNot(const Variant &a0)
{
    const Variant a = logicalOperand(a0);
    switch (a.type()) {
    case VType::Null: return a;
    case VType::Boolean: return Variant(!a.boolValue());
    case VType::Byte: return Variant::byte(uint8_t(~a.byteValue()));
    case VType::Integer: return Variant(int16_t(~a.integerValue()));
    default: return Variant(int32_t(~a.longValue()));
    }
}

Variant opAnd(const Variant &a, const Variant &b) { return logic(Logic::And, a, b); }
Variant opOr(const Variant &a, const Variant &b) { return logic(Logic::Or, a, b); }
Variant opXor(const Variant &a, const Variant &b) { return logic(Logic::Xor, a, b); }
Variant opEqv(const Variant &a, const Variant &b) { return logic(Logic::Eqv, a, b); }
Variant opImp(const Variant &a, const Variant &b) { return logic(Logic::Imp, a, b); }

// --- comparison ---------------------------------------------------------------------

static Cmp cmpDouble(double x, double y)
{
    return x < y ? Cmp::Less : x > y ? Cmp::Greater : Cmp::Equal;
}

static Cmp cmpString(const QString &x, const QString &y, bool text)
{
    const int c = x.compare(y, text ? Qt::CaseInsensitive : Qt::CaseSensitive);
    return c < 0 ? Cmp::Less : c > 0 ? Cmp::Greater : Cmp::Equal;
}

static double numberOf(const Variant &v)
{
    return v.type() == VType::Empty ? 0.0 : v.toDouble();
}

Cmp compare(const Variant &a0, const Variant &b0, bool aLit, bool bLit, bool text)
{
    const Variant *pa = &a0.deref();
    const Variant *pb = &b0.deref();
    Variant da, db;
    if (pa->isObject()) { da = defaultOf(*pa); pa = &da; }
    if (pb->isObject()) { db = defaultOf(*pb); pb = &db; }
    const Variant &a = *pa;
    const Variant &b = *pb;
    const VType ta = a.type(), tb = b.type();
    if (ta == VType::Null || tb == VType::Null)
        return Cmp::Null;
    if ((ta == VType::Integer || ta == VType::Long) && (tb == VType::Integer || tb == VType::Long)) {
        const long long x = intOf(a), y = intOf(b);
        return x < y ? Cmp::Less : x > y ? Cmp::Greater : Cmp::Equal;
    }
    if (ta == VType::Array || tb == VType::Array || ta == VType::Error || tb == VType::Error)
        raise(ErrTypeMismatch);
    const bool sa = ta == VType::String, sb = tb == VType::String;
    if (sa && sb)
        return cmpString(a.stringValue(), b.stringValue(), text);
    if (ta == VType::Empty && tb == VType::Empty)
        return Cmp::Equal;
    if (sa && tb == VType::Empty)
        return cmpString(a.stringValue(), QString(), text);
    if (sb && ta == VType::Empty)
        return cmpString(QString(), b.stringValue(), text);
    if (sa || sb) {
        // One number, one string.
        const Variant &num = sa ? b : a;
        const Variant &str = sa ? a : b;
        const bool strLit = sa ? aLit : bLit;
        const bool numLit = sa ? bLit : aLit;
        if (strLit) {
            double d;
            if (!parseNumber(str.stringValue(), d))
                raise(ErrTypeMismatch);
            const Cmp c = cmpDouble(num.toDouble(), d);
            return sa ? Cmp(-int(c)) : c;
        }
        if (numLit)
            return sa ? cmpString(str.stringValue(), num.toString(), text)
                      : cmpString(num.toString(), str.stringValue(), text);
        return sa ? Cmp::Greater : Cmp::Less;
    }
    return cmpDouble(numberOf(a), numberOf(b));
}

// --- type information ----------------------------------------------------------------

int varType(const Variant &v0)
{
    const Variant &v = v0.deref();
    if (v.isArray())
        return 8192 + 12;
    return int(v.type());
}

QString typeName(const Variant &v0)
{
    const Variant &v = v0.deref();
    switch (v.type()) {
    case VType::Empty: return QStringLiteral("Empty");
    case VType::Null: return QStringLiteral("Null");
    case VType::Integer: return QStringLiteral("Integer");
    case VType::Long: return QStringLiteral("Long");
    case VType::Single: return QStringLiteral("Single");
    case VType::Double: return QStringLiteral("Double");
    case VType::Currency: return QStringLiteral("Currency");
    case VType::Date: return QStringLiteral("Date");
    case VType::String: return QStringLiteral("String");
    case VType::Object: return v.objectValue() ? v.objectValue()->typeName() : QStringLiteral("Nothing");
    case VType::Error: return QStringLiteral("Error");
    case VType::Boolean: return QStringLiteral("Boolean");
    case VType::Byte: return QStringLiteral("Byte");
    case VType::Array: return QStringLiteral("Variant()");
    default: return QStringLiteral("Unknown");
    }
}

} // namespace vbs

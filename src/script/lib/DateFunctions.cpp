// Date and time functions: Now, Date, Time, the part functions, DateAdd,
// DateDiff, DatePart, DateSerial, TimeSerial, DateValue, TimeValue, IsDate,
// MonthName, WeekdayName.

#include "LibSupport.h"

#include <QDateTime>

#include <cmath>

namespace vbs::lib {

namespace {

constexpr long long kDay = 86400;
constexpr double kMinDay = -657434.0;  // 1 January 100
constexpr double kMaxDay = 2958465.0;  // 31 December 9999

long long floorDiv(long long a, long long b)
{
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

long long mod(long long a, long long b) { return a - floorDiv(a, b) * b; }

struct Parts {
    int year, month, day, hour, minute, second;
};

Parts partsOf(double ole)
{
    Parts p;
    if (!dateToParts(ole, p.year, p.month, p.day, p.hour, p.minute, p.second))
        raise(ErrInvalidCall);
    return p;
}

Variant checkedDate(long long seconds)
{
    const double d = secondsToDate(seconds);
    if (d < kMinDay || d >= kMaxDay + 1)
        raise(ErrInvalidCall);
    return Variant::date(d);
}

double nowOle()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return dateFromParts(d.year(), d.month(), d.day(), t.msecsSinceStartOfDay() / 1000 / 86400.0);
}

// Weekday of a day number, 1 = the first day of the week `first` (1 = Sunday).
int weekdayOf(long long dayNumber, int first)
{
    const int sundayBased = int(mod(dayNumber + 6, 7)) + 1;
    return int(mod(sundayBased - first, 7)) + 1;
}

// 0 (system) means the locale's first day: Sunday in the United States,
// Monday in Italy.
int firstDayArg(const CallArgs &a, int i)
{
    int f = longArg(a, i, 1);
    if (f < 0 || f > 7)
        raise(ErrInvalidCall);
    if (f == 0)
        f = italianLocale() ? 2 : 1;
    return f;
}

int firstWeekArg(const CallArgs &a, int i)
{
    int w = longArg(a, i, 1);
    if (w < 0 || w > 3)
        raise(ErrInvalidCall);
    if (w == 0)
        w = italianLocale() ? 2 : 1;
    return w;
}

long long dayNumberOf(double ole) { return floorDiv(dateToSeconds(ole), kDay); }

long long daysFromDate(int y, int m, int d) { return (long long)dateFromParts(y, m, d); }

long long weekOneStart(int year, int firstDay, int firstWeek)
{
    const long long jan1 = daysFromDate(year, 1, 1);
    const int wd = weekdayOf(jan1, firstDay);
    switch (firstWeek) {
    case 2: return wd <= 4 ? jan1 - (wd - 1) : jan1 + (8 - wd);
    case 3: return wd == 1 ? jan1 : jan1 + (8 - wd);
    default: return jan1 - (wd - 1);
    }
}

int weekOfYear(double ole, int firstDay, int firstWeek)
{
    const long long day = dayNumberOf(ole);
    int year = partsOf(ole).year;
    long long start = weekOneStart(year, firstDay, firstWeek);
    if (day < start)
        start = weekOneStart(year - 1, firstDay, firstWeek);
    return int((day - start) / 7 + 1);
}

enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

Interval intervalArg(const Variant &v)
{
    const QString s = plainArg(v).toString().trimmed().toLower();
    if (s == QLatin1String("yyyy")) return Interval::Year;
    if (s == QLatin1String("q")) return Interval::Quarter;
    if (s == QLatin1String("m")) return Interval::Month;
    if (s == QLatin1String("y")) return Interval::DayOfYear;
    if (s == QLatin1String("d")) return Interval::Day;
    if (s == QLatin1String("w")) return Interval::Weekday;
    if (s == QLatin1String("ww")) return Interval::Week;
    if (s == QLatin1String("h")) return Interval::Hour;
    if (s == QLatin1String("n")) return Interval::Minute;
    if (s == QLatin1String("s")) return Interval::Second;
    raise(ErrInvalidCall);
}

Variant fnNow(Context &, CallArgs &) { return Variant::date(nowOle()); }
Variant fnDate(Context &, CallArgs &) { return Variant::date(std::floor(nowOle())); }
Variant fnTime(Context &, CallArgs &)
{
    const double n = nowOle();
    return Variant::date(n - std::floor(n));
}

template <int Which>
Variant partFunction(Context &, CallArgs &a)
{
    const Variant v = plainArg(a[0]);
    if (v.isNull())
        return v;
    const Parts p = partsOf(dateArg(v));
    const int values[6] = {p.year, p.month, p.day, p.hour, p.minute, p.second};
    return integerResult(values[Which]);
}

Variant fnWeekday(Context &, CallArgs &a)
{
    const Variant v = plainArg(a[0]);
    const int first = firstDayArg(a, 1);
    if (v.isNull())
        return v;
    return integerResult(weekdayOf(dayNumberOf(dateArg(v)), first));
}

Variant fnMonthName(Context &, CallArgs &a)
{
    const int32_t m = plainArg(a[0]).toLong();
    if (m < 1 || m > 12)
        raise(ErrInvalidCall);
    return Variant(monthName(m, boolArg(a, 1, false)));
}

Variant fnWeekdayName(Context &, CallArgs &a)
{
    const int32_t w = plainArg(a[0]).toLong();
    if (w < 1 || w > 7)
        raise(ErrInvalidCall);
    const bool abbreviate = boolArg(a, 1, false);
    const int first = firstDayArg(a, 2);
    return Variant(weekdayName(int(mod(w - 1 + first - 1, 7)) + 1, abbreviate));
}

int twoDigitYear(int y)
{
    if (y >= 0 && y < 30)
        return y + 2000;
    if (y >= 30 && y < 100)
        return y + 1900;
    return y;
}

Variant fnDateSerial(Context &, CallArgs &a)
{
    if (a[0].isNull() || a[1].isNull() || a[2].isNull())
        raise(ErrInvalidNull);
    const int32_t y = twoDigitYear(plainArg(a[0]).toLong());
    const int32_t m = plainArg(a[1]).toLong();
    const int32_t d = plainArg(a[2]).toLong();
    if (std::abs(y) > 20000 || std::abs(m) > 240000 || std::abs(d) > 8000000)
        raise(ErrInvalidCall);
    const double first = dateFromParts(y, m, 1);
    return checkedDate(((long long)first + d - 1) * kDay);
}

Variant fnTimeSerial(Context &, CallArgs &a)
{
    if (a[0].isNull() || a[1].isNull() || a[2].isNull())
        raise(ErrInvalidNull);
    const long long total = (long long)plainArg(a[0]).toLong() * 3600 + (long long)plainArg(a[1]).toLong() * 60
                            + plainArg(a[2]).toLong();
    return checkedDate(total);
}

Variant fnDateValue(Context &, CallArgs &a)
{
    const Variant v = plainArg(a[0]);
    if (v.isNull())
        return v;
    return Variant::date(double(dayNumberOf(dateArg(v))));
}

Variant fnTimeValue(Context &, CallArgs &a)
{
    const Variant v = plainArg(a[0]);
    if (v.isNull())
        return v;
    return Variant::date(double(mod(dateToSeconds(dateArg(v)), kDay)) / kDay);
}

Variant fnIsDate(Context &, CallArgs &a)
{
    if (a[0].isObject())
        return Variant(false); // an object is not a date, whatever its default value
    const Variant v = a[0];
    if (v.type() == VType::Date)
        return Variant(true);
    if (!v.isString())
        return Variant(false);
    double d;
    return Variant(parseDate(v.stringValue(), d));
}

int daysInMonth(int y, int m)
{
    const long long a = daysFromDate(y, m, 1);
    const long long b = daysFromDate(y, m + 1, 1);
    return int(b - a);
}

Variant addMonths(double ole, long long months)
{
    const Parts p = partsOf(ole);
    const long long total = (long long)p.year * 12 + (p.month - 1) + months;
    if (total < 100 * 12 || total > 9999 * 12 + 11)
        raise(ErrInvalidCall);
    const int y = int(total / 12);
    const int m = int(total % 12) + 1;
    const int d = std::min(p.day, daysInMonth(y, m));
    const long long timeOfDay = mod(dateToSeconds(ole), kDay);
    return checkedDate(daysFromDate(y, m, d) * kDay + timeOfDay);
}

Variant fnDateAdd(Context &, CallArgs &a)
{
    const Interval iv = intervalArg(a[0]);
    const Variant nv = plainArg(a[1]);
    const Variant dv = plainArg(a[2]);
    if (nv.isNull() || dv.isNull())
        raise(ErrInvalidNull);
    const long long n = nv.toLong();
    const double ole = dateArg(dv);
    const long long secs = dateToSeconds(ole);
    switch (iv) {
    case Interval::Year: return addMonths(ole, n * 12);
    case Interval::Quarter: return addMonths(ole, n * 3);
    case Interval::Month: return addMonths(ole, n);
    case Interval::DayOfYear:
    case Interval::Day:
    case Interval::Weekday: return checkedDate(secs + n * kDay);
    case Interval::Week: return checkedDate(secs + n * 7 * kDay);
    case Interval::Hour: return checkedDate(secs + n * 3600);
    case Interval::Minute: return checkedDate(secs + n * 60);
    case Interval::Second: return checkedDate(secs + n);
    }
    return Variant();
}

Variant fnDateDiff(Context &, CallArgs &a)
{
    const Interval iv = intervalArg(a[0]);
    const Variant v1 = plainArg(a[1]);
    const Variant v2 = plainArg(a[2]);
    const int first = firstDayArg(a, 3);
    firstWeekArg(a, 4);
    if (v1.isNull() || v2.isNull())
        return Variant::null();
    const double d1 = dateArg(v1), d2 = dateArg(v2);
    const long long s1 = dateToSeconds(d1), s2 = dateToSeconds(d2);
    const long long day1 = floorDiv(s1, kDay), day2 = floorDiv(s2, kDay);
    long long r = 0;
    switch (iv) {
    case Interval::Year: r = partsOf(d2).year - partsOf(d1).year; break;
    case Interval::Quarter: {
        const Parts p1 = partsOf(d1), p2 = partsOf(d2);
        r = (p2.year * 4LL + (p2.month - 1) / 3) - (p1.year * 4LL + (p1.month - 1) / 3);
        break;
    }
    case Interval::Month: {
        const Parts p1 = partsOf(d1), p2 = partsOf(d2);
        r = (p2.year * 12LL + p2.month) - (p1.year * 12LL + p1.month);
        break;
    }
    case Interval::DayOfYear:
    case Interval::Day: r = day2 - day1; break;
    case Interval::Weekday: r = (day2 - day1) / 7; break;
    case Interval::Week: r = floorDiv(day2 - first, 7) - floorDiv(day1 - first, 7); break;
    case Interval::Hour: r = floorDiv(s2, 3600) - floorDiv(s1, 3600); break;
    case Interval::Minute: r = floorDiv(s2, 60) - floorDiv(s1, 60); break;
    case Interval::Second: r = s2 - s1; break;
    }
    if (r > 2147483647LL || r < -2147483648LL)
        raise(ErrOverflow);
    return longResult(r);
}

Variant fnDatePart(Context &, CallArgs &a)
{
    const Interval iv = intervalArg(a[0]);
    const Variant v = plainArg(a[1]);
    const int first = firstDayArg(a, 2);
    const int firstWeek = firstWeekArg(a, 3);
    if (v.isNull())
        return v;
    const double ole = dateArg(v);
    const Parts p = partsOf(ole);
    switch (iv) {
    case Interval::Year: return integerResult(p.year);
    case Interval::Quarter: return integerResult((p.month - 1) / 3 + 1);
    case Interval::Month: return integerResult(p.month);
    case Interval::DayOfYear:
        return integerResult(int(dayNumberOf(ole) - daysFromDate(p.year, 1, 1) + 1));
    case Interval::Day: return integerResult(p.day);
    case Interval::Weekday: return integerResult(weekdayOf(dayNumberOf(ole), first));
    case Interval::Week: return integerResult(weekOfYear(ole, first, firstWeek));
    case Interval::Hour: return integerResult(p.hour);
    case Interval::Minute: return integerResult(p.minute);
    case Interval::Second: return integerResult(p.second);
    }
    return Variant();
}

} // namespace

long long dateToSeconds(double ole)
{
    const double days = std::trunc(ole);
    const double frac = std::fabs(ole - days);
    return (long long)days * kDay + std::llround(frac * kDay);
}

double secondsToDate(long long seconds)
{
    const long long days = floorDiv(seconds, kDay);
    const double frac = double(seconds - days * kDay) / kDay;
    return days >= 0 ? double(days) + frac : double(days) - frac;
}

double dateArg(const Variant &v0)
{
    const Variant v = plainArg(v0);
    if (v.isNull())
        raise(ErrInvalidNull);
    if (v.isString()) {
        double d;
        if (parseDate(v.stringValue(), d))
            return d;
        raise(ErrTypeMismatch);
    }
    const double d = v.toDate();
    if (d < kMinDay || d >= kMaxDay + 1)
        raise(ErrInvalidCall);
    return d;
}

void registerDateFunctions(FunctionRegistry &r)
{
    r.add(QStringLiteral("Now"), fnNow, 0, 0);
    r.add(QStringLiteral("Date"), fnDate, 0, 0);
    r.add(QStringLiteral("Time"), fnTime, 0, 0);
    r.add(QStringLiteral("Year"), partFunction<0>, 1, 1);
    r.add(QStringLiteral("Month"), partFunction<1>, 1, 1);
    r.add(QStringLiteral("Day"), partFunction<2>, 1, 1);
    r.add(QStringLiteral("Hour"), partFunction<3>, 1, 1);
    r.add(QStringLiteral("Minute"), partFunction<4>, 1, 1);
    r.add(QStringLiteral("Second"), partFunction<5>, 1, 1);
    r.add(QStringLiteral("Weekday"), fnWeekday, 1, 2);
    r.add(QStringLiteral("MonthName"), fnMonthName, 1, 2);
    r.add(QStringLiteral("WeekdayName"), fnWeekdayName, 1, 3);
    r.add(QStringLiteral("DateSerial"), fnDateSerial, 3, 3);
    r.add(QStringLiteral("TimeSerial"), fnTimeSerial, 3, 3);
    r.add(QStringLiteral("DateValue"), fnDateValue, 1, 1);
    r.add(QStringLiteral("TimeValue"), fnTimeValue, 1, 1);
    r.add(QStringLiteral("IsDate"), fnIsDate, 1, 1);
    r.add(QStringLiteral("DateAdd"), fnDateAdd, 3, 3);
    r.add(QStringLiteral("DateDiff"), fnDateDiff, 3, 5);
    r.add(QStringLiteral("DatePart"), fnDatePart, 2, 4);
}

} // namespace vbs::lib

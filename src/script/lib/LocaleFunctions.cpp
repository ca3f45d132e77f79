// SetLocale/GetLocale and the month and day names of the known locales.

#include "LibSupport.h"

namespace vbs::lib {

namespace {

const char *const kMonthsEn[12] = {"January", "February", "March", "April", "May", "June", "July",
                                   "August", "September", "October", "November", "December"};
const char *const kMonthsEnShort[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char *const kMonthsIt[12] = {"gennaio", "febbraio", "marzo", "aprile", "maggio", "giugno", "luglio",
                                   "agosto", "settembre", "ottobre", "novembre", "dicembre"};
const char *const kMonthsItShort[12] = {"gen", "feb", "mar", "apr", "mag", "giu",
                                        "lug", "ago", "set", "ott", "nov", "dic"};
const char *const kDaysEn[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char *const kDaysEnShort[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
// UTF-8: the Italian weekday names end in an accented letter.
const char *const kDaysIt[7] = {"domenica", "luned\xC3\xAC", "marted\xC3\xAC", "mercoled\xC3\xAC",
                                "gioved\xC3\xAC", "venerd\xC3\xAC", "sabato"};
const char *const kDaysItShort[7] = {"dom", "lun", "mar", "mer", "gio", "ven", "sab"};

// Locale names SetLocale accepts as text.
int lcidFromName(QString name)
{
    name = name.trimmed().toLower().replace(QLatin1Char('_'), QLatin1Char('-'));
    if (name == QLatin1String("it-it") || name == QLatin1String("it") || name == QLatin1String("italian"))
        return 1040;
    if (name == QLatin1String("en-us") || name == QLatin1String("en") || name == QLatin1String("english"))
        return 1033;
    bool ok = false;
    const int n = name.toInt(&ok);
    return ok ? n : -1;
}

Variant fnGetLocale(Context &ctx, CallArgs &)
{
    return longResult(ctx.locale());
}

Variant fnSetLocale(Context &ctx, CallArgs &a)
{
    const int old = ctx.locale();
    int lcid = 1033; // no argument or 0: the system default
    if (!a.isMissing(0)) {
        const Variant v = plainArg(a[0]);
        lcid = v.isString() ? lcidFromName(v.stringValue()) : v.toLong();
        if (lcid == 0)
            lcid = 1033;
    }
    if (lcid < 0 || !ctx.setLocale(lcid))
        raise(ErrInvalidCall);
    return longResult(old);
}

} // namespace

bool italianLocale()
{
    return currentLocale().lcid == 1040;
}

QString monthName(int month, bool abbreviate)
{
    const int i = month - 1;
    if (italianLocale())
        return QString::fromUtf8(abbreviate ? kMonthsItShort[i] : kMonthsIt[i]);
    return QString::fromLatin1(abbreviate ? kMonthsEnShort[i] : kMonthsEn[i]);
}

QString weekdayName(int weekday, bool abbreviate)
{
    const int i = weekday - 1;
    if (italianLocale())
        return QString::fromUtf8(abbreviate ? kDaysItShort[i] : kDaysIt[i]);
    return QString::fromLatin1(abbreviate ? kDaysEnShort[i] : kDaysEn[i]);
}

void registerLocaleFunctions(FunctionRegistry &r)
{
    r.add(QStringLiteral("GetLocale"), fnGetLocale, 0, 0);
    r.add(QStringLiteral("SetLocale"), fnSetLocale, 0, 1);
}

} // namespace vbs::lib

#pragma once

// Helpers shared by the files of the built-in function library.

#include "../ArgConversions.h"
#include "../Dispatch.h"
#include "../Registry.h"
#include "../ScriptError.h"
#include "../Variant.h"

#include <QString>

namespace vbs::lib {

void registerStringFunctions(FunctionRegistry &r);
void registerMathFunctions(FunctionRegistry &r);
void registerDateFunctions(FunctionRegistry &r);
void registerFormatFunctions(FunctionRegistry &r);
void registerArrayFunctions(FunctionRegistry &r);
void registerLocaleFunctions(FunctionRegistry &r);
void registerConstants(FunctionRegistry &r);

// The value of argument i, or fallback when it is absent or left empty.
inline Variant argOr(const CallArgs &a, int i, const Variant &fallback)
{
    return a.isMissing(i) ? fallback : a[i];
}

// vbBinaryCompare (0) or vbTextCompare (1); anything else raises 5.
inline Qt::CaseSensitivity compareArg(const CallArgs &a, int i)
{
    const int32_t mode = longArg(a, i, 0);
    if (mode == 0)
        return Qt::CaseSensitive;
    if (mode == 1)
        return Qt::CaseInsensitive;
    raise(ErrInvalidCall);
}

inline Variant integerResult(int v) { return Variant(int16_t(v)); }
inline Variant longResult(long long v) { return Variant(int32_t(v)); }

// English or Italian name tables by the current locale.
bool italianLocale();
QString monthName(int month, bool abbreviate);   // 1..12
QString weekdayName(int weekday, bool abbreviate); // 1 = Sunday .. 7

// Splits an OLE date in whole days and seconds of the day, on a linear time
// line (OLE dates before 1899 keep the time as a positive fraction).
long long dateToSeconds(double oleDate);
double secondsToDate(long long seconds);
// The date of an argument (Date, date text, number); raises 13 otherwise.
double dateArg(const Variant &v);

// Decimal rounding half away from zero on the shortest exact decimal text of
// v: digits before the point and after (exactly `decimals` of them).
struct DecimalText {
    bool negative = false;
    QString integer;
    QString fraction;
};
DecimalText roundDecimal(double v, int decimals);

} // namespace vbs::lib

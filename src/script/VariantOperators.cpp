// Arithmetic, logical and comparison operators over Variants, with
// VBScript's subtype promotion and Null propagation.

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

enum class Arith { Add, Sub, Mul };

Variant checkedCurrency(double d)
{
    return Variant::currency(currencyFromDouble(d));
}

bool isWholeType(VType t)
{
    return t == VType::Byte || t == VType::Integer || t == VType::Long || t == VType::Boolean || t == VType::Empty;
}

// Currency arithmetic on the scaled integers, exact as long as no operand
// is a Single or Double; false when the double path has to do it.
bool currencyArith(Arith op, const Variant &x, const Variant &y, Variant &out)
{
    const VType tx = x.type(), ty = y.type();
    if ((tx != VType::Currency && !isWholeType(tx)) || (ty != VType::Currency && !isWholeType(ty)))
        return false;
    const int64_t p = x.toCurrency(), q = y.toCurrency();
    int64_t r;
    if (op == Arith::Add || op == Arith::Sub) {
        if (op == Arith::Add ? __builtin_add_overflow(p, q, &r) : __builtin_sub_overflow(p, q, &r))
            raise(ErrOverflow);
    } else {
        // (p / 10^4) * (q / 10^4) scaled back by 10^4, rounded half to even.
        const __int128 full = __int128(p) * q;
        __int128 quot = full / 10000;
        const __int128 rem = full % 10000;
        const __int128 twice = (rem < 0 ? -rem : rem) * 2;
        if (twice > 10000 || (twice == 10000 && (quot & 1)))
            quot += full < 0 ? -1 : 1;
        if (quot > INT64_MAX || quot < INT64_MIN)
            raise(ErrOverflow);
        r = int64_t(quot);
    }
    out = Variant::currency(r);
    return true;
}

Variant checkedDate(double d)
{
    if (!(d >= kMinDate && d <= kMaxDate + 1))
        raise(ErrOverflow);
    return Variant::date(d);
}

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
    Variant exact;
    if (rank == 6 && currencyArith(op, x, y, exact))
        return exact;
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
            // A literal that is not a number ("true" <> True, Case "x"
            // against a number) is simply unequal: the string is greater.
            double d;
            if (!parseNumber(str.stringValue(), d))
                return sa ? Cmp::Greater : Cmp::Less;
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

} // namespace vbs

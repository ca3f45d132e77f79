// Math functions: Abs, Sgn, Int, Fix, Round, Sqr, Exp, Log, the
// trigonometric functions, Rnd/Randomize, Timer, RGB.

#include "LibSupport.h"

#include <QTime>

#include <cmath>
#include <cstring>
#include <limits>

namespace vbs::lib {

namespace {

Variant checked(double d)
{
    if (!std::isfinite(d))
        raise(ErrOverflow);
    return Variant(d);
}

double number(const Variant &v) { return plainArg(v).toDouble(); }

Variant fnAbs(Context &, CallArgs &a)
{
    Variant v = plainArg(a[0]);
    if (v.isNull())
        return v;
    v = v.toNumeric();
    switch (v.type()) {
    case VType::Byte: return v;
    case VType::Integer:
        if (v.integerValue() == std::numeric_limits<int16_t>::min())
            return Variant(int32_t(32768));
        return Variant(int16_t(std::abs(v.integerValue())));
    case VType::Long:
        if (v.longValue() == std::numeric_limits<int32_t>::min())
            return Variant(2147483648.0);
        return Variant(int32_t(std::abs(v.longValue())));
    case VType::Single: return Variant::single(std::fabs(v.singleValue()));
    case VType::Currency: {
        const int64_t c = v.currencyValue();
        if (c == std::numeric_limits<int64_t>::min())
            raise(ErrOverflow);
        return Variant::currency(c < 0 ? -c : c);
    }
    default: return Variant(std::fabs(v.toDouble()));
    }
}

Variant fnSgn(Context &, CallArgs &a)
{
    const double d = plainArg(a[0]).toDouble(); // Null raises 94
    return integerResult(d > 0 ? 1 : (d < 0 ? -1 : 0));
}

// Int (toward minus infinity) and Fix (toward zero) keep the subtype.
Variant wholePart(CallArgs &a, bool floorIt)
{
    Variant v = plainArg(a[0]);
    if (v.isNull())
        return v;
    v = v.toNumeric();
    auto cut = [floorIt](double d) { return floorIt ? std::floor(d) : std::trunc(d); };
    switch (v.type()) {
    case VType::Byte:
    case VType::Integer:
    case VType::Long:
        return v;
    case VType::Single: return Variant::single(float(cut(v.singleValue())));
    case VType::Currency: {
        const int64_t c = v.currencyValue();
        int64_t w = c / 10000 * 10000;
        if (floorIt && c < 0 && w != c)
            w -= 10000;
        return Variant::currency(w);
    }
    case VType::Date: return Variant::date(cut(v.dateValue()));
    default: return Variant(cut(v.toDouble()));
    }
}

Variant fnInt(Context &, CallArgs &a) { return wholePart(a, true); }
Variant fnFix(Context &, CallArgs &a) { return wholePart(a, false); }

Variant fnRound(Context &, CallArgs &a)
{
    Variant v = plainArg(a[0]);
    if (v.isNull())
        return v;
    const int32_t digits = longArg(a, 1, 0);
    if (digits < 0)
        raise(ErrInvalidCall);
    v = v.toNumeric();
    switch (v.type()) {
    case VType::Byte:
    case VType::Integer:
    case VType::Long:
        return v;
    default:
        break;
    }
    const double d = v.toDouble();
    double r;
    if (digits == 0) {
        r = roundHalfEven(d);
    } else if (digits > 15) {
        r = d;
    } else {
        // Scale through the 15-digit decimal text so 2.675 is seen as the
        // decimal the script wrote, then round half to even.
        const double scale = std::pow(10.0, digits);
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.15g", d * scale);
        const double scaled = std::strtod(buf, nullptr);
        r = roundHalfEven(scaled) / scale;
    }
    switch (v.type()) {
    case VType::Single: return Variant::single(float(r));
    case VType::Currency: return Variant::currency(int64_t(std::llround(r * 10000.0)));
    case VType::Date: return Variant::date(r);
    default: return checked(r);
    }
}

Variant fnSqr(Context &, CallArgs &a)
{
    const double d = number(a[0]);
    if (d < 0)
        raise(ErrInvalidCall);
    return Variant(std::sqrt(d));
}

Variant fnExp(Context &, CallArgs &a) { return checked(std::exp(number(a[0]))); }

Variant fnLog(Context &, CallArgs &a)
{
    const double d = number(a[0]);
    if (!(d > 0))
        raise(ErrInvalidCall);
    return Variant(std::log(d));
}

Variant fnAtn(Context &, CallArgs &a) { return checked(std::atan(number(a[0]))); }
Variant fnSin(Context &, CallArgs &a) { return checked(std::sin(number(a[0]))); }
Variant fnCos(Context &, CallArgs &a) { return checked(std::cos(number(a[0]))); }
Variant fnTan(Context &, CallArgs &a) { return checked(std::tan(number(a[0]))); }

// The generator of the language: a 24-bit linear congruential sequence.
float nextRandom(Context &ctx)
{
    uint32_t &seed = ctx.rndSeed();
    seed = (seed * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    return float(seed) / 16777216.0f;
}

Variant fnRnd(Context &ctx, CallArgs &a)
{
    float x = 1.0f;
    if (!a.isMissing(0))
        x = plainArg(a[0]).toSingle();
    float &last = ctx.rndLast();
    if (x == 0.0f)
        return Variant::single(last);
    if (x < 0.0f) {
        uint32_t bits;
        std::memcpy(&bits, &x, sizeof bits);
        ctx.rndSeed() = (bits + (bits >> 24)) & 0xFFFFFFu;
    }
    last = nextRandom(ctx);
    return Variant::single(last);
}

Variant fnRandomize(Context &ctx, CallArgs &a)
{
    double n;
    if (a.isMissing(0))
        n = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    else
        n = plainArg(a[0]).toDouble();
    uint64_t bits;
    std::memcpy(&bits, &n, sizeof bits);
    uint32_t hi = uint32_t(bits >> 32);
    hi = ((hi & 0xFFFFu) ^ (hi >> 16)) << 8;
    uint32_t &seed = ctx.rndSeed();
    seed = (seed & 0xFFu) | (hi & 0xFFFF00u);
    return Variant();
}

Variant fnTimer(Context &, CallArgs &)
{
    return Variant::single(float(QTime::currentTime().msecsSinceStartOfDay() / 1000.0));
}

Variant fnRGB(Context &, CallArgs &a)
{
    int32_t c[3];
    for (int i = 0; i < 3; ++i) {
        c[i] = plainArg(a[i]).toLong();
        if (c[i] < 0)
            raise(ErrInvalidCall);
        if (c[i] > 255)
            c[i] = 255;
    }
    return longResult(c[0] + c[1] * 256 + c[2] * 65536);
}

} // namespace

void registerMathFunctions(FunctionRegistry &r)
{
    r.add(QStringLiteral("Abs"), fnAbs, 1, 1);
    r.add(QStringLiteral("Sgn"), fnSgn, 1, 1);
    r.add(QStringLiteral("Int"), fnInt, 1, 1);
    r.add(QStringLiteral("Fix"), fnFix, 1, 1);
    r.add(QStringLiteral("Round"), fnRound, 1, 2);
    r.add(QStringLiteral("Sqr"), fnSqr, 1, 1);
    r.add(QStringLiteral("Exp"), fnExp, 1, 1);
    r.add(QStringLiteral("Log"), fnLog, 1, 1);
    r.add(QStringLiteral("Atn"), fnAtn, 1, 1);
    r.add(QStringLiteral("Sin"), fnSin, 1, 1);
    r.add(QStringLiteral("Cos"), fnCos, 1, 1);
    r.add(QStringLiteral("Tan"), fnTan, 1, 1);
    r.add(QStringLiteral("Rnd"), fnRnd, 0, 1);
    r.add(QStringLiteral("Randomize"), fnRandomize, 0, 1);
    r.add(QStringLiteral("Timer"), fnTimer, 0, 0);
    r.add(QStringLiteral("RGB"), fnRGB, 3, 3);
}

} // namespace vbs::lib

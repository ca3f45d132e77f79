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

// --- conversions --------------------------------------------------------------------

Variant defaultOf(const Variant &v)
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
    if (m_type == VType::Boolean)
        return m_u.b ? 255 : 0; // True is all bits set
    const double r = roundHalfEven(toDouble());
    if (!(r >= 0 && r <= 255))
        raise(ErrOverflow);
    return uint8_t(r);
}

int64_t currencyFromDouble(double d)
{
    if (!(std::fabs(d) < 922337203685477.5808))
        raise(ErrOverflow);
    const double whole = std::trunc(d);
    int64_t scaled = 0;
    if (__builtin_mul_overflow(int64_t(whole), int64_t(10000), &scaled)
        || __builtin_add_overflow(scaled, int64_t(roundHalfEven((d - whole) * 10000.0)), &scaled))
        raise(ErrOverflow);
    return scaled;
}

namespace {

// Plain decimal text ("-1234.5678", with the locale's decimal separator or a
// point) read exactly into a scaled Currency value; false for other forms.
bool parseCurrencyText(const QString &text, int64_t &out)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    const bool neg = i < t.size() && t[i] == QLatin1Char('-');
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        ++i;
    __int128 v = 0;
    int digits = 0, decimals = -1, roundDigit = -1;
    bool sticky = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.isDigit()) {
            const int d = c.digitValue();
            ++digits;
            if (decimals < 0 || decimals < 4) {
                v = v * 10 + d;
                if (decimals >= 0)
                    ++decimals;
            } else if (roundDigit < 0) {
                roundDigit = d;
            } else if (d) {
                sticky = true;
            }
            if (v > (__int128(1) << 64))
                return false;
        } else if ((c == currentLocale().decimal || c == QLatin1Char('.')) && decimals < 0) {
            decimals = 0;
        } else {
            return false;
        }
    }
    if (!digits)
        return false;
    for (int k = decimals < 0 ? 0 : decimals; k < 4; ++k)
        v *= 10;
    if (roundDigit > 5 || (roundDigit == 5 && (sticky || (v & 1))))
        ++v;
    if (neg)
        v = -v;
    if (v > INT64_MAX || v < INT64_MIN)
        raise(ErrOverflow);
    out = int64_t(v);
    return true;
}

} // namespace

int64_t Variant::toCurrency() const
{
    switch (m_type) {
    case VType::Currency: return m_u.i64;
    case VType::Empty:
    case VType::Boolean:
    case VType::Byte:
    case VType::Integer:
    case VType::Long: return int64_t(toLong()) * 10000;
    case VType::String: {
        int64_t v;
        if (parseCurrencyText(m_u.s, v))
            return v;
        break;
    }
    case VType::Ref: return m_u.ref->toCurrency();
    case VType::Object: return defaultOf(*this).toCurrency();
    default: break;
    }
    return currencyFromDouble(toDouble());
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
        // "#TRUE#" and "#FALSE#" are how Write # stores Booleans.
        if (m_u.s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
            || m_u.s.compare(QLatin1String("#true#"), Qt::CaseInsensitive) == 0
            || (currentLocale().lcid == 1040 && m_u.s.compare(QLatin1String("vero"), Qt::CaseInsensitive) == 0))
            return true;
        if (m_u.s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0
            || m_u.s.compare(QLatin1String("#false#"), Qt::CaseInsensitive) == 0
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

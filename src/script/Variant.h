#pragma once

#include "ScriptError.h"

#include <QString>

#include <cstdint>
#include <new>
#include <utility>
#include <vector>

namespace vbs {

class Dispatch;
class ArrayData;

// Subtypes, numbered as VarType reports them. Ref is internal: a by-reference
// argument slot pointing at the caller's variable (never seen by scripts).
enum class VType : uint16_t {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Object = 9,
    Error = 10,
    Boolean = 11,
    Byte = 17,
    Array = 8192,
    Ref = 0xFFFF,
};

// Error subtype code of an omitted optional argument (f a, , c).
constexpr int32_t kMissingArgument = int32_t(0x80020004u);

// The VBScript Variant: a tagged value of 32 bytes. Copies are cheap: strings
// are implicitly shared QStrings, objects and arrays are reference counted.
// Arrays have value semantics (copy on write), objects reference semantics.
class Variant {
public:
    Variant() noexcept : m_type(VType::Empty) { m_u.i64 = 0; }
    Variant(bool b) noexcept : m_type(VType::Boolean) { m_u.i64 = 0; m_u.b = b; }
    Variant(int16_t v) noexcept : m_type(VType::Integer) { m_u.i64 = 0; m_u.i16 = v; }
    Variant(int32_t v) noexcept : m_type(VType::Long) { m_u.i64 = 0; m_u.i32 = v; }
    Variant(double v) noexcept : m_type(VType::Double) { m_u.d = v; }
    Variant(const QString &s) : m_type(VType::String) { new (&m_u.s) QString(s); }
    Variant(QString &&s) noexcept : m_type(VType::String) { new (&m_u.s) QString(std::move(s)); }
    Variant(const char *) = delete; // say QStringLiteral / QString::fromUtf8
    explicit Variant(Dispatch *obj); // Object (nullptr = Nothing); takes a new reference

    static Variant null() { Variant v; v.m_type = VType::Null; return v; }
    static Variant nothing() { return Variant(static_cast<Dispatch *>(nullptr)); }
    static Variant byte(uint8_t v) { Variant r; r.m_type = VType::Byte; r.m_u.u8 = v; return r; }
    static Variant single(float v) { Variant r; r.m_type = VType::Single; r.m_u.f = v; return r; }
    // Currency: the value times 10,000.
    static Variant currency(int64_t scaled) { Variant r; r.m_type = VType::Currency; r.m_u.i64 = scaled; return r; }
    // Date: days since 30 December 1899, time as the fraction (OLE date).
    static Variant date(double oleDate) { Variant r; r.m_type = VType::Date; r.m_u.d = oleDate; return r; }
    static Variant error(int32_t code) { Variant r; r.m_type = VType::Error; r.m_u.i32 = code; return r; }
    static Variant missing() { return error(kMissingArgument); }
    static Variant array(ArrayData *a); // takes a new reference
    // Internal: a reference to another variable (by-reference argument).
    static Variant ref(Variant *target) { Variant r; r.m_type = VType::Ref; r.m_u.ref = target; return r; }

    Variant(const Variant &o)
    {
        if (o.isTrivial()) {
            m_type = o.m_type;
            m_u.i64 = o.m_u.i64;
        } else {
            copyFrom(o);
        }
    }
    Variant(Variant &&o) noexcept { moveFrom(o); }
    Variant &operator=(const Variant &o)
    {
        if (this != &o) {
            if (isTrivial() && o.isTrivial()) {
                m_type = o.m_type;
                m_u.i64 = o.m_u.i64;
            } else {
                Variant tmp(o);
                clear();
                moveFrom(tmp);
            }
        }
        return *this;
    }
    Variant &operator=(Variant &&o) noexcept
    {
        if (this != &o) {
            clear();
            moveFrom(o);
        }
        return *this;
    }
    ~Variant() { if (!isTrivial()) destroy(); }

    void clear() noexcept
    {
        if (!isTrivial())
            destroy();
        m_type = VType::Empty;
        m_u.i64 = 0;
    }

    VType type() const { return m_type; }
    bool isEmpty() const { return m_type == VType::Empty; }
    bool isNull() const { return m_type == VType::Null; }
    bool isString() const { return m_type == VType::String; }
    bool isObject() const { return m_type == VType::Object; }
    bool isNothing() const { return m_type == VType::Object && !m_u.obj; }
    bool isArray() const { return m_type == VType::Array; }
    bool isRef() const { return m_type == VType::Ref; }
    bool isMissing() const { return m_type == VType::Error && m_u.i32 == kMissingArgument; }
    // Integer, Long, Byte, Single, Double, Currency, Date or Boolean.
    bool isNumericType() const
    {
        switch (m_type) {
        case VType::Integer: case VType::Long: case VType::Single: case VType::Double:
        case VType::Currency: case VType::Date: case VType::Boolean: case VType::Byte:
            return true;
        default:
            return false;
        }
    }

    // Raw accessors: valid only for the matching type.
    bool boolValue() const { return m_u.b; }
    uint8_t byteValue() const { return m_u.u8; }
    int16_t integerValue() const { return m_u.i16; }
    int32_t longValue() const { return m_u.i32; }
    float singleValue() const { return m_u.f; }
    double doubleValue() const { return m_u.d; }
    int64_t currencyValue() const { return m_u.i64; }
    double dateValue() const { return m_u.d; }
    int32_t errorValue() const { return m_u.i32; }
    const QString &stringValue() const { return m_u.s; }
    QString &stringRef() { return m_u.s; } // for in-place appends
    Dispatch *objectValue() const { return m_u.obj; }
    ArrayData *arrayValue() const { return m_u.arr; }
    Variant *refTarget() const { return m_u.ref; }

    // The value itself, following a by-reference slot.
    const Variant &deref() const { return m_type == VType::Ref ? *m_u.ref : *this; }
    Variant &deref() { return m_type == VType::Ref ? *m_u.ref : *this; }

    // --- conversions (they follow VBScript's rules and raise its errors) ---
    // Numbers of every subtype as a double; strings are parsed with the
    // current locale; Empty is 0; Null raises 94; other types 13.
    double toDouble() const;
    // CLng/CInt/CByte semantics: banker's rounding, overflow raises 6.
    int32_t toLong() const;
    int16_t toInteger() const;
    uint8_t toByte() const;
    int64_t toCurrency() const; // scaled by 10,000
    float toSingle() const;
    double toDate() const;      // CDate: numbers and date strings
    bool toBool() const;        // CBool: numbers, "True"/"False", numeric strings
    // CStr: text of the value in the current locale; Null raises 94.
    QString toString() const;
    // Like toString, but Null and Empty give "" (what & and Write use).
    QString toText() const;
    // Arithmetic operand: Empty -> Integer 0, Boolean -> Integer, String ->
    // Double (error 13 when not numeric), numbers unchanged; Null stays Null.
    Variant toNumeric() const;
    // True when IsNumeric would say so.
    bool isNumeric() const;

    // Object of this value, or raises 424 (Object required). Nothing gives nullptr.
    Dispatch *toObject() const;

private:
    bool isTrivial() const
    {
        return m_type != VType::String && m_type != VType::Object && m_type != VType::Array;
    }
    void copyFrom(const Variant &o);
    void moveFrom(Variant &o) noexcept
    {
        m_type = o.m_type;
        if (m_type == VType::String) {
            new (&m_u.s) QString(std::move(o.m_u.s));
            o.m_u.s.~QString();
        } else {
            m_u.i64 = o.m_u.i64;
        }
        o.m_type = VType::Empty;
        o.m_u.i64 = 0;
    }
    void destroy() noexcept;

    VType m_type;
    union U {
        U() : i64(0) {}
        ~U() {}
        bool b;
        uint8_t u8;
        int16_t i16;
        int32_t i32;
        int64_t i64;
        float f;
        double d;
        QString s;
        Dispatch *obj;
        ArrayData *arr;
        Variant *ref;
    } m_u;
};

// One dimension of an array: lower bound (0 in VBScript) and element count.
struct ArrayBound {
    int32_t lower = 0;
    int32_t count = 0;
};

// Storage of a VBScript array, column-major as VBScript keeps it (the first
// index varies fastest), so ReDim Preserve of the last dimension only grows
// or shrinks the element vector.
class ArrayData {
public:
    ArrayData() = default;
    ArrayData(std::vector<ArrayBound> dims);
    ArrayData(const ArrayData &o) : dims(o.dims), items(o.items), fixed(o.fixed) {}

    std::vector<ArrayBound> dims;
    std::vector<Variant> items;
    bool fixed = false;   // declared with bounds in Dim: ReDim raises 10
    int locks = 0;        // element passed by reference or For Each in progress

    int rank() const { return int(dims.size()); }
    int32_t lbound(int dim) const { return dims[dim].lower; }
    int32_t ubound(int dim) const { return dims[dim].lower + dims[dim].count - 1; }
    // Flat index of a subscript list, or -1 when out of range.
    long long flatIndex(const int32_t *subs, int n) const;
    // Element for subscripts; raises 9 when out of range or the count differs.
    Variant &at(const int32_t *subs, int n);

    // Reference count (single-threaded engine).
    void addRef() { ++m_refs; }
    void release() { if (--m_refs == 0) delete this; }
    int refCount() const { return m_refs; }

private:
    int m_refs = 0;
};

// Builds a one-dimensional array of the values (the Array() function).
Variant makeArray(std::vector<Variant> values);
// Makes an array variant unshared so it can be written (copy on write).
ArrayData *detachArray(Variant &v);

// --- operators and comparisons -------------------------------------------
// Binary operators as the language defines them, including subtype
// promotion (Integer -> Long -> Double on overflow) and Null propagation.
Variant opAdd(const Variant &a, const Variant &b);
Variant opSub(const Variant &a, const Variant &b);
Variant opMul(const Variant &a, const Variant &b);
Variant opDiv(const Variant &a, const Variant &b);
Variant opIntDiv(const Variant &a, const Variant &b);
Variant opMod(const Variant &a, const Variant &b);
Variant opPow(const Variant &a, const Variant &b);
Variant opConcat(const Variant &a, const Variant &b);
Variant opNeg(const Variant &a);
Variant opNot(const Variant &a);
Variant opAnd(const Variant &a, const Variant &b);
Variant opOr(const Variant &a, const Variant &b);
Variant opXor(const Variant &a, const Variant &b);
Variant opEqv(const Variant &a, const Variant &b);
Variant opImp(const Variant &a, const Variant &b);

// Comparison result: Less, Equal, Greater, or Null when either side is Null.
enum class Cmp { Less = -1, Equal = 0, Greater = 1, Null = 2 };
// Compares two values. aLiteral/bLiteral tell that the operand is a literal
// constant of the script: a literal string compared with a number is
// converted to a number (and a literal number with a string to a string),
// as the language does; otherwise any number is less than any string.
// textCompare compares strings without regard to case.
Cmp compare(const Variant &a, const Variant &b, bool aLiteral = false, bool bLiteral = false,
            bool textCompare = false);

// VarType and TypeName of a value (TypeName of an object asks the object).
int varType(const Variant &v);
QString typeName(const Variant &v);

// Banker's rounding to an integer (what CInt/CLng/\ and Mod use).
double roundHalfEven(double v);

// --- dates (OLE automation dates) ------------------------------------------
double dateFromParts(int year, int month, int day, double timeFraction = 0.0);
// Splits a date into its parts; returns false when it is out of range.
bool dateToParts(double oleDate, int &year, int &month, int &day, int &hour, int &minute,
                 int &second);
// Parses a date/time text in the current locale's order (and ISO forms).
bool parseDate(const QString &text, double &oleDate);

// --- locale -----------------------------------------------------------------
// The locale conversions use (SetLocale): 1033 (English, United States) and
// 1040 (Italian) are known in full; others fall back to QLocale for names.
struct ScriptLocale {
    int lcid = 1033;
    QChar decimal = QLatin1Char('.');
    QChar group = QLatin1Char(',');
    bool dayFirst = false;       // 1040: dd/mm/yyyy
    bool hour24 = false;         // 1040: 24-hour clock
    QString currencySymbol = QStringLiteral("$");
    bool currencyAfter = false;  // 1040: "1.234,56 €"

    static ScriptLocale forLcid(int lcid); // returns a 1033 locale for unknown ids
    static bool isKnown(int lcid);
};
// The locale of the script running on this thread (1033 when none runs).
const ScriptLocale &currentLocale();
// Sets it (SetLocale); the engine restores its own at the end of a run.
void setCurrentLocale(const ScriptLocale &locale);

// Text of a number as CStr gives it (15 significant digits for Double,
// 7 for Single, locale decimal separator).
QString formatDouble(double v);
QString formatSingle(float v);
QString formatCurrency(int64_t scaled);
QString formatDate(double oleDate);
// Parses a number as VBScript does for a string operand (blanks around,
// sign, locale decimal and group separators, exponent, &H/&O forms).
bool parseNumber(const QString &text, double &out);

} // namespace vbs

// Operators and New.

#include "InterpreterSupport.h"

#include <cmath>

namespace vbs {

Variant Interpreter::concat(const Variant &a, const Variant &b)
{
    Variant r = opConcat(a, b);
    if (r.isString()) {
        if (r.stringValue().size() > limits.maxStringLength)
            raise(ErrOutOfStringSpace);
        spend(r.stringValue().size());
    }
    return r;
}

Variant UnaryExpr::eval(Interpreter &in, Frame &f)
{
    const Variant v = operand->eval(in, f);
    return op == Op::Neg ? opNeg(v) : opNot(v);
}

namespace {

// Both operands Integer or Long: their values, and whether both are Integer.
inline bool intPair(const Variant &l, const Variant &r, long long &x, long long &y, bool &narrow)
{
    const VType a = l.type(), b = r.type();
    if (a == VType::Integer)
        x = l.integerValue();
    else if (a == VType::Long)
        x = l.longValue();
    else
        return false;
    if (b == VType::Integer)
        y = r.integerValue();
    else if (b == VType::Long)
        y = r.longValue();
    else
        return false;
    narrow = a == VType::Integer && b == VType::Integer;
    return true;
}

inline Variant intResult(long long v, bool narrow)
{
    if (narrow && v >= -32768 && v <= 32767)
        return Variant(int16_t(v));
    if (v >= INT32_MIN && v <= INT32_MAX)
        return Variant(int32_t(v));
    return Variant(double(v));
}

} // namespace

Variant BinaryExpr::eval(Interpreter &in, Frame &f)
{
    const Variant l = left->eval(in, f);
    const Variant r = right->eval(in, f);
    long long x, y;
    bool narrow;
    if (op <= Op::Sub && intPair(l, r, x, y, narrow)) {
        switch (op) {
        case Op::Add: return intResult(x + y, narrow);
        case Op::Sub: return intResult(x - y, narrow);
        case Op::Mul: return intResult(x * y, narrow);
        case Op::Mod:
            if (y == 0)
                raise(ErrDivisionByZero);
            return intResult(x % y, narrow);
        case Op::IntDiv:
            if (y == 0)
                raise(ErrDivisionByZero);
            return intResult(x / y, narrow);
        default:
            break;
        }
    }
    // Integer, Long or Double with at least one Double: plain double arithmetic.
    if (op <= Op::Sub && op != Op::IntDiv && op != Op::Mod && op >= Op::Mul) {
        const VType a = l.type(), b = r.type();
        auto num = [](const Variant &v, VType t, double &out) {
            if (t == VType::Double) { out = v.doubleValue(); return true; }
            if (t == VType::Integer) { out = v.integerValue(); return true; }
            if (t == VType::Long) { out = v.longValue(); return true; }
            return false;
        };
        double p, q;
        if ((a == VType::Double || b == VType::Double || op == Op::Div) && num(l, a, p) && num(r, b, q)) {
            double v;
            switch (op) {
            case Op::Add: v = p + q; break;
            case Op::Sub: v = p - q; break;
            case Op::Mul: v = p * q; break;
            default:
                if (q == 0)
                    raise(p == 0 ? ErrOverflow : ErrDivisionByZero);
                v = p / q;
                break;
            }
            if (!std::isfinite(v))
                raise(ErrOverflow);
            return Variant(v);
        }
    }
    switch (op) {
    case Op::Add: return opAdd(l, r);
    case Op::Sub: return opSub(l, r);
    case Op::Mul: return opMul(l, r);
    case Op::Div: return opDiv(l, r);
    case Op::IntDiv: return opIntDiv(l, r);
    case Op::Mod: return opMod(l, r);
    case Op::Pow: return opPow(l, r);
    case Op::Concat: return in.concat(l, r);
    case Op::And: return opAnd(l, r);
    case Op::Or: return opOr(l, r);
    case Op::Xor: return opXor(l, r);
    case Op::Eqv: return opEqv(l, r);
    case Op::Imp: return opImp(l, r);
    default: raise(ErrSyntax);
    }
}

Variant CompareExpr::eval(Interpreter &in, Frame &f)
{
    const Variant l = left->eval(in, f);
    const Variant r = right->eval(in, f);
    long long x, y;
    bool narrow;
    int k;
    if (intPair(l, r, x, y, narrow)) {
        k = x < y ? -1 : x > y ? 1 : 0;
    } else {
        const Cmp c = compare(l, r, left->literal, right->literal);
        if (c == Cmp::Null)
            return Variant::null();
        k = int(c);
    }
    switch (op) {
    case Op::Eq: return Variant(k == 0);
    case Op::Ne: return Variant(k != 0);
    case Op::Lt: return Variant(k < 0);
    case Op::Gt: return Variant(k > 0);
    case Op::Le: return Variant(k <= 0);
    case Op::Ge: return Variant(k >= 0);
    default: raise(ErrSyntax);
    }
}

Variant IsExpr::eval(Interpreter &in, Frame &f)
{
    const Variant l = left->eval(in, f);
    const Variant r = right->eval(in, f);
    if (!l.deref().isObject() || !r.deref().isObject())
        raise(ErrObjectRequired);
    return Variant(l.deref().objectValue() == r.deref().objectValue());
}

Variant NewExpr::eval(Interpreter &in, Frame &)
{
    return in.newObject(this);
}

Variant Interpreter::newObject(NewExpr *n)
{
    auto it = m_classes.constFind(n->className);
    if (it == m_classes.constEnd()) {
        if (n->className == QLatin1String("regexp"))
            return createObject(QStringLiteral("VBScript.RegExp"));
        raise(ErrClassNotDefined);
    }
    ClassInfo *cls = *it;
    Ref<ClassInstance> inst(new ClassInstance(this, cls));
    if (cls->initialize) {
        CallArgs none;
        callProc(cls->initialize, inst.get(), none);
    }
    return Variant(static_cast<Dispatch *>(inst.get()));
}

} // namespace vbs

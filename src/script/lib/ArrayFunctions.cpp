// Array functions: Array, LBound, UBound, Split, Join, Filter.

#include "LibSupport.h"

namespace vbs::lib {

namespace {

const ArrayData &arrayArg(const Variant &v0)
{
    const Variant &v = v0.deref();
    if (v.isNull())
        raise(ErrInvalidNull);
    if (!v.isArray() || !v.arrayValue())
        raise(ErrTypeMismatch);
    return *v.arrayValue();
}

Variant fnArray(Context &ctx, CallArgs &a)
{
    ctx.checkArraySize(a.size());
    std::vector<Variant> values;
    values.reserve(size_t(a.size()));
    for (int i = 0; i < a.size(); ++i)
        values.push_back(a.isMissing(i) ? Variant() : a[i]);
    return makeArray(std::move(values));
}

Variant bound(CallArgs &a, bool upper)
{
    const ArrayData &arr = arrayArg(a[0]);
    const int32_t dim = longArg(a, 1, 1);
    if (dim < 1 || dim > arr.rank())
        raise(ErrSubscript);
    return longResult(upper ? arr.ubound(dim - 1) : arr.lbound(dim - 1));
}

Variant fnLBound(Context &, CallArgs &a) { return bound(a, false); }
Variant fnUBound(Context &, CallArgs &a) { return bound(a, true); }

Variant stringArray(Context &ctx, const QStringList &parts)
{
    ctx.checkArraySize(parts.size());
    std::vector<Variant> values;
    values.reserve(size_t(parts.size()));
    for (const QString &p : parts)
        values.emplace_back(p);
    return makeArray(std::move(values));
}

Variant fnSplit(Context &ctx, CallArgs &a)
{
    const QString s = textArg(a[0]); // Null raises 94
    const QString delim = a.isMissing(1) ? QStringLiteral(" ") : plainArg(a[1]).toString();
    const int32_t count = longArg(a, 2, -1);
    if (count < -1)
        raise(ErrInvalidCall);
    const Qt::CaseSensitivity cs = compareArg(a, 3);
    QStringList parts;
    if (s.isEmpty() || count == 0)
        return stringArray(ctx, parts);
    if (delim.isEmpty())
        return stringArray(ctx, {s});
    qsizetype pos = 0;
    WorkMeter work;
    while (count < 0 || parts.size() < count - 1) {
        const qsizetype hit = s.indexOf(delim, pos, cs);
        if (hit < 0)
            break;
        work.add(1 + hit - pos);
        parts.append(s.mid(pos, hit - pos));
        pos = hit + delim.size();
        if (parts.size() > (16 << 20))
            ctx.checkArraySize(parts.size());
    }
    parts.append(s.mid(pos));
    return stringArray(ctx, parts);
}

Variant fnJoin(Context &ctx, CallArgs &a)
{
    const ArrayData &arr = arrayArg(a[0]);
    if (arr.rank() != 1)
        raise(ErrTypeMismatch);
    const QString delim = a.isMissing(1) ? QStringLiteral(" ") : plainArg(a[1]).toString();
    QString out;
    qint64 total = 0;
    WorkMeter work;
    for (size_t i = 0; i < arr.items.size(); ++i) {
        const QString item = arr.items[i].toText();
        total += item.size() + (i ? delim.size() : 0);
        ctx.checkStringLength(total);
        work.add(1 + item.size() + delim.size());
        if (i)
            out += delim;
        out += item;
    }
    return Variant(out);
}

Variant fnFilter(Context &ctx, CallArgs &a)
{
    const ArrayData &arr = arrayArg(a[0]);
    if (arr.rank() != 1)
        raise(ErrTypeMismatch);
    if (a[1].isNull())
        raise(ErrInvalidNull);
    const QString value = plainArg(a[1]).toString();
    const bool include = boolArg(a, 2, true);
    const Qt::CaseSensitivity cs = compareArg(a, 3);
    QStringList kept;
    for (const Variant &item : arr.items) {
        const QString s = item.toText();
        if (s.contains(value, cs) == include)
            kept.append(s);
    }
    return stringArray(ctx, kept);
}

} // namespace

void registerArrayFunctions(FunctionRegistry &r)
{
    r.add(QStringLiteral("Array"), fnArray, 0, -1);
    r.add(QStringLiteral("LBound"), fnLBound, 1, 2);
    r.add(QStringLiteral("UBound"), fnUBound, 1, 2);
    r.add(QStringLiteral("Split"), fnSplit, 1, 4);
    r.add(QStringLiteral("Join"), fnJoin, 1, 2);
    r.add(QStringLiteral("Filter"), fnFilter, 2, 4);
}

} // namespace vbs::lib

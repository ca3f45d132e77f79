// Statements: assignment, string append, control flow, Dim/ReDim/Erase,
// Execute and Randomize.

#include "InterpreterSupport.h"

#include <QTime>

#include <cstring>

namespace vbs {

namespace {

// Appends a piece's text to a string built in place (s = s & piece);
// false when the result is longer than the limit.
inline bool appendWithin(Interpreter &in, QString &str, const Variant &piece0, qint64 limit)
{
    const Variant &piece = piece0.deref();
    const qsizetype before = str.size();
    if (piece.isString())
        str.append(piece.stringValue());
    else
        str.append(piece.toText());
    in.spend(str.size() - before);
    return str.size() <= limit;
}

} // namespace

void Interpreter::assign(Expr *target, Variant value, bool isSet, Frame &f)
{
    if (value.isRef())
        value = Variant(value.deref());
    if (isSet) {
        if (!value.isObject())
            raise(ErrObjectRequired);
    } else if (value.isObject()) {
        value = defaultValue(value);
        if (value.isObject())
            raise(ErrTypeMismatch);
    }
    switch (target->kind) {
    case Expr::Kind::Ident: {
        auto *id = static_cast<IdentExpr *>(target);
        switch (id->bind) {
        case Bind::Local:
        case Bind::Global:
        case Bind::Field:
            variableSlot(id, f) = std::move(value);
            return;
        case Bind::MeMember: {
            if (!f.me)
                raise(ErrObjectRequired);
            CallArgs none;
            putMember(f.me, id->index, none, value, isSet, true);
            return;
        }
        default:
            raise(ErrIllegalAssignment);
        }
    }
    case Expr::Kind::Call: {
        auto *c = static_cast<CallExpr *>(target);
        ArgBuffer buf;
        if (c->target->kind == Expr::Kind::Ident) {
            auto *id = static_cast<IdentExpr *>(c->target.get());
            if (isVariableBind(id->bind)) {
                Variant &var = variableSlot(id, f);
                if (var.isArray()) {
                    evalArgs(*this, c->args, f, buf, false);
                    CallArgs a = buf.args();
                    *elementSlot(var, a) = std::move(value);
                    return;
                }
                if (var.isObject()) {
                    const Variant base = var;
                    evalArgs(*this, c->args, f, buf, false);
                    CallArgs a = buf.args();
                    Dispatch *o = base.objectValue();
                    if (!o)
                        raise(ErrObjectNotSet);
                    o->put(Dispatch::kDefaultMember, a, value, isSet);
                    return;
                }
                raise(ErrTypeMismatch);
            }
            if (id->bind == Bind::MeMember) {
                if (!f.me)
                    raise(ErrObjectRequired);
                evalArgs(*this, c->args, f, buf, false);
                CallArgs a = buf.args();
                putMember(f.me, id->index, a, value, isSet, true);
                return;
            }
            raise(ErrIllegalAssignment);
        }
        const Variant base = c->target->eval(*this, f);
        if (!base.deref().isObject() || !base.deref().objectValue())
            raise(ErrObjectRequired);
        evalArgs(*this, c->args, f, buf, false);
        CallArgs a = buf.args();
        base.deref().objectValue()->put(Dispatch::kDefaultMember, a, value, isSet);
        return;
    }
    case Expr::Kind::Member: {
        auto *m = static_cast<MemberExpr *>(target);
        Variant objv;
        if (m->object)
            objv = m->object->eval(*this, f);
        else if (f.with)
            objv = *f.with;
        else
            raise(ErrUnqualifiedReference);
        const Variant &ov = objv.deref();
        if (!ov.isObject())
            raise(ErrObjectRequired);
        Dispatch *obj = ov.objectValue();
        if (!obj)
            raise(ErrObjectNotSet);
        const int id = obj->findMember(m->name);
        if (id == Dispatch::kNoMember)
            raise(ErrNoSuchMember);
        ArgBuffer buf;
        evalArgs(*this, m->args, f, buf, false);
        CallArgs a = buf.args();
        if (f.me && obj == f.me) {
            putMember(f.me, id - 1, a, value, isSet, true);
            return;
        }
        obj->put(id, a, value, isSet);
        return;
    }
    default:
        raise(ErrIllegalAssignment);
    }
}

Flow AssignStmt::exec(Interpreter &in, Frame &f)
{
    if (!isSet && target->kind == Expr::Kind::Ident) {
        auto *id = static_cast<IdentExpr *>(target.get());
        if ((id->bind == Bind::Local || id->bind == Bind::Global) && !id->checkExplicit) {
            Variant v = value->eval(in, f);
            if (!v.isObject()) {
                (id->bind == Bind::Local ? f.locals[id->index].deref() : *id->global) = std::move(v);
                return Flow::Normal;
            }
            in.assign(target.get(), std::move(v), false, f);
            return Flow::Normal;
        }
    }
    in.assign(target.get(), value->eval(in, f), isSet, f);
    return Flow::Normal;
}

void Interpreter::append(AppendStmt *s, Frame &f)
{
    auto *id = static_cast<IdentExpr *>(s->target.get());
    if (!isVariableBind(id->bind)) {
        Variant v = readIdent(id, f);
        for (auto &p : s->pieces)
            v = concat(v, p->eval(*this, f));
        assign(id, std::move(v), false, f);
        return;
    }
    Variant &slot0 = variableSlot(id, f);
    if (s->pieces.size() == 1) {
        Variant piece = s->pieces[0]->eval(*this, f);
        Variant &slot = variableSlot(id, f);
        (void)slot0;
        if (!slot.isString()) {
            if (slot.isNull() && piece.deref().isNull())
                return;
            slot = Variant(slot.toText());
        }
        if (!appendWithin(*this, slot.stringRef(), piece, limits.maxStringLength)) {
            slot = Variant();
            raise(ErrOutOfStringSpace);
        }
        return;
    }
    std::vector<Variant> pieces;
    pieces.reserve(s->pieces.size());
    for (auto &p : s->pieces)
        pieces.push_back(p->eval(*this, f));
    Variant &slot = variableSlot(id, f);
    if (!slot.isString()) {
        bool allNull = slot.isNull();
        for (const Variant &p : pieces)
            allNull = allNull && p.deref().isNull();
        if (allNull)
            return;
        slot = Variant(slot.toText());
    }
    for (const Variant &p : pieces) {
        if (!appendWithin(*this, slot.stringRef(), p, limits.maxStringLength)) {
            slot = Variant();
            raise(ErrOutOfStringSpace);
        }
    }
}

Flow AppendStmt::exec(Interpreter &in, Frame &f)
{
    in.append(this, f);
    return Flow::Normal;
}

// ---- control flow ----------------------------------------------------------------------------------------

Flow IfStmt::exec(Interpreter &in, Frame &f)
{
    for (size_t i = 0; i < conditions.size(); ++i) {
        bool c;
        try {
            c = in.truth(conditions[i]->eval(in, f));
        } catch (ScriptError &e) {
            // Under On Error Resume Next the statement after the failing
            // condition is the first one of its block.
            if (!f.resumeNext || Interpreter::isFatal(e))
                throw;
            if (!e.line)
                e.line = line;
            in.setErr(e);
            c = true;
        }
        if (c)
            return in.execBlock(blocks[i], f);
    }
    return in.execBlock(elseBlock, f);
}

Flow ForStmt::exec(Interpreter &in, Frame &f)
{
    auto *id = static_cast<IdentExpr *>(var.get());
    const Variant a = from->eval(in, f).toNumeric();
    const Variant b = to->eval(in, f).toNumeric();
    const Variant s = step ? step->eval(in, f).toNumeric() : Variant(int16_t(1));
    if (a.isNull() || b.isNull() || s.isNull())
        raise(ErrInvalidNull);
    auto isInt = [](const Variant &v) {
        return v.type() == VType::Integer || v.type() == VType::Long || v.type() == VType::Byte;
    };
    if (isInt(a) && isInt(b) && isInt(s)) {
        long long i = a.toLong();
        const long long e = b.toLong();
        const long long st = s.toLong();
        const bool narrow = a.type() != VType::Long && b.type() != VType::Long && s.type() != VType::Long;
        for (;;) {
            Variant &slot = in.variableSlot(id, f);
            if (narrow && i >= -32768 && i <= 32767)
                slot = Variant(int16_t(i));
            else if (i >= INT32_MIN && i <= INT32_MAX)
                slot = Variant(int32_t(i));
            else
                slot = Variant(double(i));
            if (st >= 0 ? i > e : i < e)
                break;
            const Flow fl = in.execBlock(body, f);
            if (fl == Flow::ExitFor)
                break;
            if (fl != Flow::Normal)
                return fl;
            in.tick();
            const Variant &cur = in.variableSlot(id, f);
            if (cur.type() == VType::Integer)
                i = cur.integerValue();
            else if (cur.type() == VType::Long)
                i = cur.longValue();
            else
                i = (long long)cur.toDouble();
            i += st;
        }
        return Flow::Normal;
    }
    double i = a.toDouble();
    const double e = b.toDouble();
    const double st = s.toDouble();
    for (;;) {
        Variant &slot = in.variableSlot(id, f);
        slot = Variant(i);
        if (st >= 0 ? i > e : i < e)
            break;
        const Flow fl = in.execBlock(body, f);
        if (fl == Flow::ExitFor)
            break;
        if (fl != Flow::Normal)
            return fl;
        in.tick();
        i = in.variableSlot(id, f).toDouble() + st;
    }
    return Flow::Normal;
}

Flow ForEachStmt::exec(Interpreter &in, Frame &f)
{
    auto *id = static_cast<IdentExpr *>(var.get());
    const Variant c = collection->eval(in, f);
    const Variant &coll = c.deref();
    if (coll.isArray()) {
        const Variant keep = coll; // the loop walks this copy
        ArrayData *a = keep.arrayValue();
        for (size_t i = 0; i < a->items.size(); ++i) {
            in.variableSlot(id, f) = a->items[i];
            const Flow fl = in.execBlock(body, f);
            if (fl == Flow::ExitFor)
                break;
            if (fl != Flow::Normal)
                return fl;
            in.tick();
        }
        return Flow::Normal;
    }
    if (coll.isObject()) {
        Dispatch *o = coll.objectValue();
        if (!o)
            raise(ErrObjectNotSet);
        Ref<Dispatch> keep(o);
        std::unique_ptr<Enumerator> en = o->enumerate();
        if (!en)
            raise(ErrNotCollection);
        Variant item;
        while (en->next(item)) {
            in.variableSlot(id, f) = item;
            const Flow fl = in.execBlock(body, f);
            if (fl == Flow::ExitFor)
                break;
            if (fl != Flow::Normal)
                return fl;
            in.tick();
        }
        return Flow::Normal;
    }
    raise(ErrNotCollection);
}

Flow DoStmt::exec(Interpreter &in, Frame &f)
{
    for (;;) {
        if (atTop && condition) {
            const bool c = in.truth(condition->eval(in, f));
            if (until ? c : !c)
                break;
        }
        const Flow fl = in.execBlock(body, f);
        if (fl == Flow::ExitDo && !isWhileWend)
            break;
        if (fl != Flow::Normal)
            return fl;
        if (!atTop && condition) {
            const bool c = in.truth(condition->eval(in, f));
            if (until ? c : !c)
                break;
        }
        in.tick();
    }
    return Flow::Normal;
}

Flow SelectStmt::exec(Interpreter &in, Frame &f)
{
    const Variant v = subject->eval(in, f);
    for (size_t i = 0; i < cases.size(); ++i) {
        for (ExprPtr &e : cases[i]) {
            const Variant c = e->eval(in, f);
            if (compare(v, c, subject->literal, e->literal) == Cmp::Equal)
                return in.execBlock(blocks[i], f);
        }
    }
    return in.execBlock(elseBlock, f);
}

Flow WithStmt::exec(Interpreter &in, Frame &f)
{
    const Variant obj = object->eval(in, f);
    const Variant *saved = f.with;
    f.with = &obj;
    struct Restore {
        Frame &f;
        const Variant *saved;
        ~Restore() { f.with = saved; }
    } restore{f, saved};
    return in.execBlock(body, f);
}

Flow OnErrorStmt::exec(Interpreter &in, Frame &f)
{
    in.onError(resumeNext, f);
    return Flow::Normal;
}

// ---- arrays ------------------------------------------------------------------------------------------------

void Interpreter::dim(DimStmt *s, Frame &f)
{
    for (DimStmt::Item &item : s->items) {
        if (!item.isArray)
            continue;
        auto *id = static_cast<IdentExpr *>(item.var.get());
        std::vector<ArrayBound> dims;
        qint64 total = 1;
        for (ExprPtr &b : item.bounds) {
            const int32_t ub = b->eval(*this, f).toLong();
            if (ub < -1)
                raise(ErrSubscript);
            dims.push_back({0, ub + 1});
            total *= qint64(ub + 1);
            if (total > limits.maxArrayElements)
                raise(ErrOutOfMemory);
        }
        spend(total);
        if (dims.size() > 60)
            raise(ErrSubscript);
        Variant &slot = variableSlot(id, f);
        if (!s->redim) {
            auto *a = new ArrayData(dims);
            a->fixed = !dims.empty();
            slot = Variant::array(a);
            continue;
        }
        if (slot.isArray()) {
            ArrayData *old = slot.arrayValue();
            if (old->fixed || old->locks)
                raise(ErrArrayLocked);
            if (s->preserve && old->rank() > 0) {
                if (old->rank() != int(dims.size()))
                    raise(ErrSubscript);
                for (size_t k = 0; k + 1 < dims.size(); ++k)
                    if (old->dims[k].count != dims[k].count)
                        raise(ErrSubscript);
                ArrayData *a = detachArray(slot);
                a->dims = dims;
                a->items.resize(size_t(total));
                continue;
            }
        }
        slot = Variant::array(new ArrayData(dims));
    }
}

Flow DimStmt::exec(Interpreter &in, Frame &f)
{
    in.dim(this, f);
    return Flow::Normal;
}

void Interpreter::erase(EraseStmt *s, Frame &f)
{
    Variant &slot = variableSlot(static_cast<IdentExpr *>(s->var.get()), f);
    if (!slot.isArray())
        raise(ErrTypeMismatch);
    if (slot.arrayValue()->locks)
        raise(ErrArrayLocked);
    if (slot.arrayValue()->fixed) {
        ArrayData *a = detachArray(slot);
        for (Variant &v : a->items)
            v.clear();
        return;
    }
    slot = Variant::array(new ArrayData);
}

Flow EraseStmt::exec(Interpreter &in, Frame &f)
{
    in.erase(this, f);
    return Flow::Normal;
}

Flow ExecuteStmt::exec(Interpreter &in, Frame &f)
{
    const QString text = code->eval(in, f).toText();
    in.execute(text, global, f);
    return Flow::Normal;
}

Flow RandomizeStmt::exec(Interpreter &in, Frame &f)
{
    if (seed) {
        const Variant v = seed->eval(in, f);
        in.randomize(&v);
    } else {
        in.randomize(nullptr);
    }
    return Flow::Normal;
}

} // namespace vbs

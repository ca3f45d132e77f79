// Calls: arguments, procedures, members of script classes and host objects,
// array indexing and the call statement.

#include "InterpreterSupport.h"

namespace vbs {

// Evaluates arguments; byRef: variables and array elements go by reference.
void evalArgs(Interpreter &in, ExprList &list, Frame &f, ArgBuffer &buf, bool byRef)
{
    buf.resize(int(list.size()));
    for (size_t i = 0; i < list.size(); ++i) {
        Expr *e = list[i].get();
        Variant &slot = buf.data[i];
        if (!e) {
            slot = Variant::missing();
            continue;
        }
        if (byRef && e->kind == Expr::Kind::Ident) {
            auto *id = static_cast<IdentExpr *>(e);
            if (isVariableBind(id->bind)) {
                slot = Variant::ref(&in.variableSlot(id, f));
                continue;
            }
        } else if (byRef && e->kind == Expr::Kind::Call && buf.lockCount < 4) {
            auto *c = static_cast<CallExpr *>(e);
            if (c->target->kind == Expr::Kind::Ident && isVariableBind(static_cast<IdentExpr *>(c->target.get())->bind)) {
                Variant &var = in.variableSlot(static_cast<IdentExpr *>(c->target.get()), f);
                if (var.isArray()) {
                    ArgBuffer sub;
                    evalArgs(in, c->args, f, sub, false);
                    CallArgs sa = sub.args();
                    Variant *el = in.elementSlot(var, sa);
                    ArrayData *a = var.arrayValue();
                    a->addRef();
                    ++a->locks;
                    buf.locked[buf.lockCount++] = a;
                    slot = Variant::ref(el);
                    continue;
                }
            }
        }
        slot = e->eval(in, f);
    }
}

Variant Interpreter::callProc(Procedure *p, ClassInstance *me, CallArgs &args)
{
    if (args.size() != p->paramCount)
        raise(ErrWrongArgCount);
    CallDepth depth(m_depth, limits.maxCallDepth);
    checkStack();
    tick();
    const int n = p->scope.slotCount;
    Variant small[12];
    std::unique_ptr<Variant[]> big;
    Variant *locals = small;
    if (n > 12) {
        big.reset(new Variant[size_t(n)]);
        locals = big.get();
    }
    Variant *raw = args.data();
    for (int i = 0; i < p->paramCount; ++i) {
        if (p->byVal[size_t(i)] || !raw[i].isRef())
            locals[i] = raw[i].deref();
        else
            locals[i] = raw[i];
        if (locals[i].isMissing())
            raise(ErrArgNotOptional);
    }
    Ref<ClassInstance> keep(me);
    Frame fr;
    fr.locals = locals;
    fr.proc = p;
    fr.me = me;
    fr.unit = p->unit;
    FrameSwitch restore(currentFrame, &fr);
    execBlock(p->body, fr);
    if (fr.resumeNext)
        clearErr();
    if (p->resultSlot >= 0)
        return std::move(locals[p->resultSlot]);
    return Variant();
}

Variant Interpreter::invokeMember(ClassInstance *inst, int member, CallArgs &args, bool wantResult, bool internal)
{
    ClassInfo *cls = inst->classInfo();
    if (member < 0 || member >= int(cls->members.size()))
        raise(ErrNoSuchMember);
    const ClassInfo::Member &m = cls->members[size_t(member)];
    if (!m.isPublic && !internal)
        raise(ErrNoSuchMember);
    if (m.field >= 0) {
        const Variant &v = inst->fields[size_t(m.field)];
        if (args.size() == 0)
            return v;
        return indexValue(v, args, wantResult);
    }
    if (m.get)
        return callProc(m.get, inst, args);
    if (m.method)
        return callProc(m.method, inst, args);
    raise(ErrNoSuchMember);
}

void Interpreter::putMember(ClassInstance *inst, int member, CallArgs &args, const Variant &value, bool isSet,
                            bool internal)
{
    ClassInfo *cls = inst->classInfo();
    if (member < 0 || member >= int(cls->members.size()))
        raise(ErrNoSuchMember);
    const ClassInfo::Member &m = cls->members[size_t(member)];
    if (!m.isPublic && !internal)
        raise(ErrNoSuchMember);
    if (m.field >= 0) {
        Variant &slot = inst->fields[size_t(m.field)];
        if (args.size() == 0) {
            slot = value;
            return;
        }
        if (!slot.isArray())
            raise(ErrTypeMismatch);
        *elementSlot(slot, args) = value;
        return;
    }
    Procedure *p = isSet ? m.set : m.let;
    if (!p)
        raise(m.method || m.get ? ErrWrongArgCount : ErrNoSuchMember);
    std::vector<Variant> all(args.data(), args.data() + args.size());
    all.push_back(value);
    CallArgs ca(all.data(), int(all.size()));
    callProc(p, inst, ca);
}

Variant Interpreter::indexValue(const Variant &base0, CallArgs &args, bool wantResult)
{
    const Variant &base = base0.deref();
    if (base.isArray()) {
        ArrayData *a = base.arrayValue();
        int32_t subs[8];
        if (args.size() > 8 || args.size() != a->rank())
            raise(ErrSubscript);
        for (int i = 0; i < args.size(); ++i)
            subs[i] = args[i].toLong();
        return a->at(subs, args.size());
    }
    if (base.isObject()) {
        Dispatch *o = base.objectValue();
        if (!o)
            raise(ErrObjectNotSet);
        Ref<Dispatch> keep(o);
        return o->call(Dispatch::kDefaultMember, args, wantResult);
    }
    if (args.size() == 0)
        return base;
    raise(ErrTypeMismatch);
}

Variant *Interpreter::elementSlot(Variant &arrayVar, CallArgs &args)
{
    ArrayData *a = arrayVar.arrayValue();
    int32_t subs[8];
    if (args.size() > 8 || args.size() != a->rank())
        raise(ErrSubscript);
    for (int i = 0; i < args.size(); ++i)
        subs[i] = args[i].toLong();
    if (a->flatIndex(subs, args.size()) < 0)
        raise(ErrSubscript);
    if (a->locks == 0)
        a = detachArray(arrayVar);
    return &a->at(subs, args.size());
}

Variant CallExpr::eval(Interpreter &in, Frame &f)
{
    return in.evalCall(this, f, true);
}

Variant Interpreter::evalCall(CallExpr *c, Frame &f, bool wantResult)
{
    return callTarget(c->target.get(), c->args, f, wantResult);
}

Variant Interpreter::callTarget(Expr *target, ExprList &argList, Frame &f, bool wantResult)
{
    struct View {
        ExprList &args;
    } view{argList};
    auto *c = &view;
    if (target->kind == Expr::Kind::Ident) {
        auto *id = static_cast<IdentExpr *>(target);
        if (id->implicitVar)
            lateBind(id);
        switch (id->bind) {
        case Bind::Local:
        case Bind::Global:
        case Bind::Field: {
            if (id->proc && id->bind == Bind::Local) {
                // a function calling itself by name
                ArgBuffer buf;
                evalArgs(*this, c->args, f, buf, true);
                CallArgs a = buf.args();
                return callProc(id->proc, nullptr, a);
            }
            Variant &var = variableSlot(id, f);
            ArgBuffer buf;
            if (var.isArray()) {
                evalArgs(*this, c->args, f, buf, false);
                CallArgs a = buf.args();
                ArrayData *arr = var.arrayValue();
                int32_t subs[8];
                if (a.size() > 8 || a.size() != arr->rank())
                    raise(ErrSubscript);
                for (int i = 0; i < a.size(); ++i)
                    subs[i] = a[i].toLong();
                return arr->at(subs, a.size());
            }
            const Variant base = var; // keep the object alive during the call
            evalArgs(*this, c->args, f, buf, true);
            CallArgs a = buf.args();
            return indexValue(base, a, wantResult);
        }
        case Bind::Proc: {
            ArgBuffer buf;
            evalArgs(*this, c->args, f, buf, true);
            CallArgs a = buf.args();
            return callProc(id->proc, nullptr, a);
        }
        case Bind::MeMember: {
            if (!f.me)
                raise(ErrObjectRequired);
            ArgBuffer buf;
            evalArgs(*this, c->args, f, buf, true);
            CallArgs a = buf.args();
            return invokeMember(f.me, id->index, a, wantResult, true);
        }
        case Bind::Builtin: {
            ArgBuffer buf;
            evalArgs(*this, c->args, f, buf, false);
            CallArgs a = buf.args();
            const BuiltinInfo *b = id->builtin;
            if (a.size() < b->minArgs || (b->maxArgs >= 0 && a.size() > b->maxArgs))
                raise(ErrWrongArgCount);
            Variant r = b->fn(*this, a);
            spendOn(r);
            return r;
        }
        case Bind::Const:
            raise(ErrTypeMismatch);
        default:
            raise(ErrUndefinedVariable);
        }
    }
    const Variant base = target->eval(*this, f);
    ArgBuffer buf;
    evalArgs(*this, c->args, f, buf, true);
    CallArgs a = buf.args();
    return indexValue(base, a, wantResult);
}

Variant MemberExpr::eval(Interpreter &in, Frame &f)
{
    return in.evalMember(this, args, hasArgs, f, true);
}

Variant Interpreter::evalMember(MemberExpr *m, ExprList &argList, bool, Frame &f, bool wantResult)
{
    Variant objv;
    if (m->object) {
        objv = m->object->eval(*this, f);
    } else {
        if (!f.with)
            raise(ErrUnqualifiedReference);
        objv = *f.with;
    }
    const Variant &ov = objv.deref();
    if (!ov.isObject())
        raise(ErrObjectRequired);
    Dispatch *obj = ov.objectValue();
    if (!obj)
        raise(ErrObjectNotSet);
    int id;
    const void *key = obj->memberKey();
    if (key && key == m->cacheKey) {
        id = m->cacheId;
    } else {
        id = obj->findMember(m->name);
        if (id == Dispatch::kNoMember)
            raise(ErrNoSuchMember);
        if (key) {
            m->cacheKey = key;
            m->cacheId = id;
        }
    }
    ArgBuffer buf;
    evalArgs(*this, argList, f, buf, true);
    CallArgs a = buf.args();
    Ref<Dispatch> keep(obj);
    try {
        if (f.me && obj == f.me)
            return invokeMember(f.me, id - 1, a, wantResult, true);
        Variant r = obj->call(id, a, wantResult);
        spendOn(r);
        return r;
    } catch (const ScriptError &e) {
        // obj.Prop(i) where Prop takes no arguments: its value, indexed.
        if (e.number != ErrWrongArgCount || a.size() == 0)
            throw;
    }
    CallArgs none;
    const Variant value = (f.me && obj == f.me) ? invokeMember(f.me, id - 1, none, true, true)
                                                 : obj->call(id, none, true);
    return indexValue(value, a, wantResult);
}

void Interpreter::execCall(CallStmt *s, Frame &f)
{
    Expr *t = s->target.get();
    switch (t->kind) {
    case Expr::Kind::Ident: {
        auto *id = static_cast<IdentExpr *>(t);
        if (id->implicitVar)
            lateBind(id);
        if (id->bind == Bind::Local || id->bind == Bind::Global || id->bind == Bind::Field) {
            if (id->proc && id->bind == Bind::Local) {
                ArgBuffer buf;
                evalArgs(*this, s->args, f, buf, true);
                CallArgs a = buf.args();
                callProc(id->proc, nullptr, a);
                return;
            }
            const Variant base = variableSlot(id, f);
            if (base.isObject()) {
                ArgBuffer buf;
                evalArgs(*this, s->args, f, buf, true);
                CallArgs a = buf.args();
                indexValue(base, a, false);
                return;
            }
            if (s->args.empty())
                return;
            raise(ErrTypeMismatch);
        }
        callTarget(t, s->args, f, false);
        return;
    }
    case Expr::Kind::Member: {
        auto *m = static_cast<MemberExpr *>(t);
        evalMember(m, s->args, true, f, false);
        return;
    }
    default: {
        const Variant base = t->eval(*this, f);
        ArgBuffer buf;
        evalArgs(*this, s->args, f, buf, true);
        CallArgs a = buf.args();
        if (base.deref().isObject())
            indexValue(base, a, false);
        return;
    }
    }
}

Flow CallStmt::exec(Interpreter &in, Frame &f)
{
    in.execCall(this, f);
    return Flow::Normal;
}

} // namespace vbs

// Name resolution: binds each identifier of a compiled unit to a local,
// global, class field, constant, procedure or built-in, once, before it runs;
// then reads and finds the variables the bindings name.

#include "Interpreter.h"

namespace vbs {

int Interpreter::globalSlot(const QString &lower)
{
    auto it = m_globalIndex.constFind(lower);
    if (it != m_globalIndex.constEnd())
        return *it;
    m_globals.emplace_back();
    const int idx = int(m_globals.size()) - 1;
    m_globalIndex.insert(lower, idx);
    return idx;
}

void Interpreter::resolve(IdentExpr *id, Scope *scope, Procedure *proc, ClassInfo *cls, bool newLocals,
                          bool optionExplicit)
{
    const QString &n = id->lower;
    if (scope && !scope->isTopLevel) {
        auto c = scope->consts.constFind(n);
        if (c != scope->consts.constEnd()) {
            id->bind = Bind::Const;
            id->constValue = *c;
            id->literal = true;
            return;
        }
        auto l = scope->locals.constFind(n);
        if (l != scope->locals.constEnd()) {
            id->bind = Bind::Local;
            id->index = *l;
            if (proc && *l == proc->resultSlot)
                id->proc = proc;
            return;
        }
    }
    if (cls) {
        auto m = cls->memberIndex.constFind(n);
        if (m != cls->memberIndex.constEnd()) {
            const ClassInfo::Member &mem = cls->members[size_t(*m)];
            if (mem.field >= 0) {
                id->bind = Bind::Field;
                id->index = mem.field;
            } else {
                id->bind = Bind::MeMember;
                id->index = *m;
            }
            return;
        }
    }
    auto c = m_consts.constFind(n);
    if (c != m_consts.constEnd()) {
        id->bind = Bind::Const;
        id->constValue = *c;
        id->literal = true;
        return;
    }
    auto g = m_globalIndex.constFind(n);
    if (g != m_globalIndex.constEnd()) {
        id->bind = Bind::Global;
        id->index = *g;
        id->global = &m_globals[size_t(*g)];
        return;
    }
    auto p = m_procs.constFind(n);
    if (p != m_procs.constEnd()) {
        id->bind = Bind::Proc;
        id->proc = *p;
        return;
    }
    if (const Variant *k = m_builtins.findConstant(n)) {
        id->bind = Bind::Const;
        id->constValue = *k;
        id->literal = true;
        return;
    }
    if (const BuiltinInfo *b = m_builtins.find(n)) {
        id->bind = Bind::Builtin;
        id->builtin = b;
        return;
    }
    // Not declared anywhere: an implicit variable (an error under Option Explicit).
    id->checkExplicit = optionExplicit && !id->declares;
    id->implicitVar = !id->declares;
    if (newLocals && scope && !scope->isTopLevel) {
        id->bind = Bind::Local;
        id->index = scope->declare(n);
        return;
    }
    id->bind = Bind::Global;
    id->index = globalSlot(n);
    id->global = &m_globals[size_t(id->index)];
}

void Interpreter::bindUnit(Unit *u, Frame *context)
{
    for (auto &cls : u->classes)
        m_classes.insert(cls->lower, cls.get());
    for (auto &p : u->procedures)
        m_procs.insert(p->lower, p.get());
    for (const auto &c : u->globalConsts)
        m_consts.insert(c.first, c.second);
    for (const QString &d : u->globalDims) {
        globalSlot(d);
        m_declaredGlobals.insert(d);
    }
    Procedure *ctxProc = context ? context->proc : nullptr;
    ClassInfo *ctxClass = context && context->me ? context->me->classInfo() : nullptr;
    for (IdentExpr *id : u->scope.idents)
        resolve(id, ctxProc ? &ctxProc->scope : nullptr, ctxProc, ctxClass, false, u->optionExplicit);
    auto bindProc = [&](Procedure *p, ClassInfo *cls) {
        for (IdentExpr *id : p->scope.idents)
            resolve(id, &p->scope, p, cls, true, u->optionExplicit);
    };
    for (auto &p : u->procedures)
        bindProc(p.get(), nullptr);
    for (auto &cls : u->classes)
        for (auto &p : cls->procedures)
            bindProc(p.get(), cls.get());
}

bool Interpreter::lateBind(IdentExpr *id)
{
    if (!id->implicitVar)
        return false;
    auto p = m_procs.constFind(id->lower);
    if (p == m_procs.constEnd())
        return false;
    id->bind = Bind::Proc;
    id->proc = *p;
    id->implicitVar = false;
    id->checkExplicit = false;
    return true;
}

void Interpreter::undeclared(IdentExpr *id)
{
    // ExecuteGlobal "Dim x" may have declared the name since the code was bound.
    if (!m_declaredGlobals.contains(id->lower))
        raise(ErrUndefinedVariable);
    const int slot = globalSlot(id->lower);
    id->bind = Bind::Global;
    id->index = slot;
    id->global = &m_globals[size_t(slot)];
    id->checkExplicit = false;
}

Variant &Interpreter::variableSlot(IdentExpr *id, Frame &f)
{
    if (id->checkExplicit)
        undeclared(id);
    switch (id->bind) {
    case Bind::Local: return f.locals[id->index].deref();
    case Bind::Global: return *id->global;
    case Bind::Field:
        if (!f.me)
            raise(ErrObjectRequired);
        return f.me->fields[size_t(id->index)];
    case Bind::Const: raise(ErrIllegalAssignment);
    default: raise(ErrIllegalAssignment);
    }
}

Variant Interpreter::readIdent(IdentExpr *id, Frame &f)
{
    if (id->implicitVar && lateBind(id))
        return readIdent(id, f);
    switch (id->bind) {
    case Bind::Local:
    case Bind::Global:
        if (id->checkExplicit) {
            undeclared(id);
            return *id->global;
        }
        if (id->bind == Bind::Local)
            return f.locals[id->index].deref();
        return m_globals[size_t(id->index)];
    case Bind::Field:
        if (!f.me)
            raise(ErrObjectRequired);
        return f.me->fields[size_t(id->index)];
    case Bind::Const: return id->constValue;
    case Bind::Proc: {
        CallArgs none;
        return callProc(id->proc, nullptr, none);
    }
    case Bind::MeMember: {
        if (!f.me)
            raise(ErrObjectRequired);
        CallArgs none;
        return invokeMember(f.me, id->index, none, true, true);
    }
    case Bind::Builtin: {
        if (id->builtin->minArgs > 0)
            raise(ErrWrongArgCount);
        CallArgs none;
        return id->builtin->fn(*this, none);
    }
    default: raise(ErrUndefinedVariable);
    }
}

Variant IdentExpr::eval(Interpreter &in, Frame &f)
{
    if (!checkExplicit) {
        if (bind == Bind::Local)
            return f.locals[index].deref();
        if (bind == Bind::Global && (!implicitVar || !global->isEmpty()))
            return *global;
    }
    return in.readIdent(this, f);
}

Variant MeExpr::eval(Interpreter &, Frame &f)
{
    if (!f.me)
        raise(ErrInvalidCall);
    return Variant(static_cast<Dispatch *>(f.me));
}

} // namespace vbs

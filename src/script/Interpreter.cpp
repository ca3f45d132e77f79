#include "Interpreter.h"

#include "Parser.h"

#include <QDateTime>

#include <cmath>
#include <cstring>

namespace vbs {

namespace {

// Counts one level of procedure, Execute or Eval nesting for as long as it
// lives; past the limit the script ends with "out of stack space" (28).
struct CallDepth {
    int &depth;
    CallDepth(int &d, int limit) : depth(d)
    {
        if (depth >= limit)
            raise(ErrOutOfStack);
        ++depth;
    }
    ~CallDepth() { --depth; }
    CallDepth(const CallDepth &) = delete;
    CallDepth &operator=(const CallDepth &) = delete;
};

// Appends a piece's text to a string built in place (s = s & piece);
// false when the result is longer than the limit.
inline bool appendWithin(QString &str, const Variant &piece0, int limit)
{
    const Variant &piece = piece0.deref();
    if (piece.isString())
        str.append(piece.stringValue());
    else
        str.append(piece.toText());
    return str.size() <= limit;
}

// Makes a frame the current one for as long as it lives, then puts the
// previous one back, also when the frame's code raises an error.
struct FrameSwitch {
    Frame *&current;
    Frame *saved;
    FrameSwitch(Frame *&cur, Frame *next) : current(cur), saved(cur) { cur = next; }
    ~FrameSwitch() { current = saved; }
    FrameSwitch(const FrameSwitch &) = delete;
    FrameSwitch &operator=(const FrameSwitch &) = delete;
};

} // namespace


// ---- Err object ------------------------------------------------------------------------

class ErrObject : public Dispatch {
public:
    int number = 0;
    QString description;
    QString source;
    QString helpFile;
    int helpContext = 0;

    void clear()
    {
        number = 0;
        description.clear();
        source.clear();
        helpFile.clear();
        helpContext = 0;
    }

    QString typeName() const override { return QStringLiteral("ErrObject"); }
    int findMember(const QString &name) const override { return table().find(name); }
    const void *memberKey() const override { return &table(); }

    Variant call(int id, CallArgs &args, bool) override
    {
        switch (id) {
        case 0:
        case 1: args.expect(0, 0); return Variant(int32_t(number));
        case 2: args.expect(0, 0); return Variant(description);
        case 3: args.expect(0, 0); return Variant(source);
        case 4: args.expect(0, 0); return Variant(helpFile);
        case 5: args.expect(0, 0); return Variant(int32_t(helpContext));
        case 6: { // Raise number, source, description, helpfile, helpcontext
            args.expect(1, 5);
            ScriptError e(args[0].toLong());
            if (e.number == 0)
                raise(ErrInvalidCall);
            if (!args.isMissing(1))
                e.source = args[1].toText();
            if (!args.isMissing(2))
                e.description = args[2].toText();
            if (e.description.isEmpty() && ScriptError::describe(e.number).isEmpty())
                e.description = QStringLiteral("Errore definito dall'applicazione o dall'oggetto");
            throw e;
        }
        case 7: args.expect(0, 0); clear(); return Variant();
        default: raise(ErrNoSuchMember);
        }
    }

    void put(int id, CallArgs &args, const Variant &value, bool) override
    {
        args.expect(0, 0);
        switch (id) {
        case 0:
        case 1: number = value.toLong(); break;
        case 2: description = value.toText(); break;
        case 3: source = value.toText(); break;
        case 4: helpFile = value.toText(); break;
        case 5: helpContext = value.toLong(); break;
        default: raise(ErrNoSuchMember);
        }
    }

private:
    static const MemberTable &table()
    {
        static const MemberTable t{"Number", "Description", "Source", "HelpFile", "HelpContext", "Raise", "Clear"};
        return t;
    }
};

// ---- GetRef --------------------------------------------------------------------------------

class ProcRef : public Dispatch {
public:
    ProcRef(Interpreter *in, Procedure *p) : m_in(in), m_proc(p) {}
    QString typeName() const override { return QStringLiteral("Object"); }
    int findMember(const QString &) const override { return kNoMember; }
    Variant call(int id, CallArgs &args, bool) override
    {
        if (id != kDefaultMember)
            raise(ErrNoSuchMember);
        return m_in->callProc(m_proc, nullptr, args);
    }

private:
    Interpreter *m_in;
    Procedure *m_proc;
};

// ---- argument buffer -------------------------------------------------------------------------

namespace {

struct ArgBuffer {
    Variant small[6];
    std::vector<Variant> big;
    Variant *data = small;
    int count = 0;
    ArrayData *locked[4] = {};
    int lockCount = 0;

    ArgBuffer(const ArgBuffer &) = delete;
    ArgBuffer() = default;
    ~ArgBuffer()
    {
        for (int i = 0; i < lockCount; ++i) {
            --locked[i]->locks;
            locked[i]->release();
        }
    }
    void resize(int n)
    {
        count = n;
        if (n > 6) {
            big.resize(size_t(n));
            data = big.data();
        }
    }
    CallArgs args() { return CallArgs(data, count); }
};

bool isVariableBind(Bind b)
{
    return b == Bind::Local || b == Bind::Global || b == Bind::Field;
}

} // namespace

// Evaluates arguments; byRef: variables and array elements go by reference.
static void evalArgs(Interpreter &in, ExprList &list, Frame &f, ArgBuffer &buf, bool byRef)
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

// ---- class instances -----------------------------------------------------------------------

ClassInstance::ClassInstance(Interpreter *in, ClassInfo *cls) : interp(in), m_class(cls)
{
    fields.resize(cls->fields.size());
    for (size_t i = 0; i < cls->fields.size(); ++i) {
        const ClassInfo::Field &fd = cls->fields[i];
        if (fd.isArray) {
            std::vector<ArrayBound> dims;
            for (int32_t ub : fd.bounds)
                dims.push_back({0, ub + 1});
            auto *a = new ArrayData(dims);
            a->fixed = !fd.bounds.empty();
            fields[i] = Variant::array(a);
        }
    }
    in->live.insert(this);
}

ClassInstance::~ClassInstance()
{
    if (interp)
        interp->live.erase(this);
}

QString ClassInstance::typeName() const
{
    return m_class->name;
}

int ClassInstance::findMember(const QString &name) const
{
    const auto it = m_class->memberIndex.constFind(name.toLower());
    return it == m_class->memberIndex.constEnd() ? kNoMember : *it + 1;
}

Variant ClassInstance::call(int id, CallArgs &args, bool wantResult)
{
    if (!interp)
        raise(ErrObjectRequired);
    if (id == kDefaultMember) {
        if (m_class->defaultMember < 0)
            raise(ErrNoSuchMember);
        return interp->invokeMember(this, m_class->defaultMember, args, wantResult, false);
    }
    return interp->invokeMember(this, id - 1, args, wantResult, false);
}

void ClassInstance::put(int id, CallArgs &args, const Variant &value, bool isSet)
{
    if (!interp)
        raise(ErrObjectRequired);
    if (id == kDefaultMember) {
        if (m_class->defaultMember < 0)
            raise(ErrNoSuchMember);
        id = m_class->defaultMember + 1;
    }
    interp->putMember(this, id - 1, args, value, isSet, false);
}

namespace {
// Releasing a long chain of objects (a linked list) would recurse once per
// object; past a small depth the objects wait in a queue instead.
thread_local int t_releaseDepth = 0;
thread_local std::vector<ClassInstance *> t_releaseQueue;
} // namespace

void ClassInstance::finalRelease()
{
    if (t_releaseDepth > 32) {
        t_releaseQueue.push_back(this);
        return;
    }
    ++t_releaseDepth;
    finish();
    if (t_releaseDepth == 1) {
        while (!t_releaseQueue.empty()) {
            ClassInstance *next = t_releaseQueue.back();
            t_releaseQueue.pop_back();
            next->finish();
        }
    }
    --t_releaseDepth;
}

void ClassInstance::finish()
{
    if (interp && m_class->terminate) {
        addRef();
        try {
            CallArgs none;
            interp->callProc(m_class->terminate, this, none);
        } catch (...) {
            // errors of Class_Terminate do not reach the code that released the object
        }
        if (refCount() > 1) {
            release(); // brought back to life by its own Class_Terminate
            return;
        }
    }
    delete this;
}

// ---- interpreter setup ------------------------------------------------------------------------

Interpreter::Interpreter() : m_err(new ErrObject), m_builtins(FunctionRegistry::standard())
{
    m_clock.start();
}

Interpreter::~Interpreter()
{
    reset();
}

void Interpreter::reset()
{
    // Release the globals first: Class_Terminate runs for objects that go now.
    ++m_running;
    m_deadline = m_clock.elapsed() + 2000;
    const ScriptLocale saved = currentLocale();
    setCurrentLocale(scriptLocale);
    try {
        for (Variant &v : m_globals)
            v.clear();
    } catch (...) {
    }
    // What is left lives in reference cycles: break them without running code.
    std::vector<Ref<ClassInstance>> rest;
    for (ClassInstance *c : live)
        rest.emplace_back(c);
    for (auto &c : rest)
        c->interp = nullptr;
    live.clear();
    for (auto &c : rest) {
        std::vector<Variant> old;
        old.swap(c->fields);
    }
    rest.clear();
    setCurrentLocale(saved);
    --m_running;
    m_globals.clear();
    m_globalIndex.clear();
    m_procs.clear();
    m_classes.clear();
    m_consts.clear();
    m_units.clear();
    m_err->clear();
}

void Interpreter::addNamedItem(const QString &name, const Ref<Dispatch> &object)
{
    m_globals[size_t(globalSlot(name.toLower()))] = Variant(object.get());
}

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

void Interpreter::keepUnit(std::unique_ptr<Unit> u)
{
    m_units.push_back(std::move(u));
}

// ---- binding ---------------------------------------------------------------------------------------

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
    for (const QString &d : u->globalDims)
        globalSlot(d);
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

// ---- running ------------------------------------------------------------------------------------------

void Interpreter::setTimeLimit(int ms)
{
    limits.timeLimitMs = ms;
    if (m_running > 0)
        m_deadline = m_runStart + ms;
}

bool Interpreter::isFatal(const ScriptError &e)
{
    return e.number == ErrTimeout;
}

void Interpreter::checkTime()
{
    if (interruptRequested.load(std::memory_order_relaxed) || m_clock.elapsed() > m_deadline)
        throw ScriptError(ErrTimeout);
}

void Interpreter::record(const ScriptError &e)
{
    errors.append(e);
}

template <typename Fn>
bool Interpreter::guarded(Fn &&fn)
{
    const bool outer = m_running == 0;
    char base;
    if (outer) {
        m_stackBase = &base;
        m_runStart = m_clock.elapsed();
        m_deadline = m_runStart + limits.timeLimitMs;
        interruptRequested = false;
        m_depth = 0;
    }
    ++m_running;
    const ScriptLocale saved = currentLocale();
    setCurrentLocale(scriptLocale);
    bool ok = true;
    try {
        fn();
    } catch (const ScriptError &e) {
        record(e);
        ok = false;
    } catch (const ScriptStop &s) {
        exitCode = s.exitCode;
    } catch (const std::bad_alloc &) {
        record(ScriptError(ErrOutOfMemory));
        ok = false;
    }
    scriptLocale = currentLocale();
    setCurrentLocale(saved);
    if (--m_running == 0)
        m_stackBase = nullptr;
    return ok;
}

bool Interpreter::run(const QString &source)
{
    return guarded([&] {
        std::unique_ptr<Unit> u = Parser::parseProgram(source);
        bindUnit(u.get(), nullptr);
        Unit *unit = u.get();
        keepUnit(std::move(u));
        Frame top;
        top.unit = unit;
        FrameSwitch restore(currentFrame, &top);
        execBlock(unit->code, top);
    });
}

Variant Interpreter::evaluate(const QString &expression, bool *ok)
{
    Variant result;
    const bool good = guarded([&] {
        Frame top;
        FrameSwitch restore(currentFrame, &top);
        result = eval(expression);
    });
    if (ok)
        *ok = good;
    return result;
}

bool Interpreter::callGlobal(const QString &name, const QList<Variant> &args, Variant *result)
{
    return guarded([&] {
        auto it = m_procs.constFind(name.toLower());
        if (it == m_procs.constEnd())
            raise(ErrSubNotDefined);
        std::vector<Variant> list(args.begin(), args.end());
        CallArgs ca(list.data(), int(list.size()));
        Frame top;
        FrameSwitch restore(currentFrame, &top);
        Variant r = callProc(*it, nullptr, ca);
        if (result)
            *result = r;
    });
}

Flow Interpreter::execBlock(Block &b, Frame &f)
{
    for (StmtPtr &s : b) {
        try {
            const Flow fl = s->exec(*this, f);
            if (fl != Flow::Normal)
                return fl;
        } catch (ScriptError &e) {
            if (!e.line)
                e.line = s->line;
            if (!f.resumeNext || isFatal(e))
                throw;
            setErr(e);
        }
    }
    return Flow::Normal;
}

void Interpreter::setErr(const ScriptError &e)
{
    m_err->number = e.number;
    m_err->description = e.text();
    m_err->source = e.sourceText();
}

void Interpreter::clearErr()
{
    m_err->clear();
}

void Interpreter::onError(bool resumeNext, Frame &f)
{
    f.resumeNext = resumeNext;
    clearErr();
}

bool Interpreter::truth(const Variant &v0)
{
    const Variant &v = v0.deref();
    switch (v.type()) {
    case VType::Boolean: return v.boolValue();
    case VType::Null:
    case VType::Empty: return false;
    case VType::Integer: return v.integerValue() != 0;
    case VType::Long: return v.longValue() != 0;
    case VType::Object: return truth(defaultValue(v));
    default: return v.toBool();
    }
}

// ---- procedures and members -----------------------------------------------------------------------

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

// ---- identifiers -------------------------------------------------------------------------------------

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

Variant &Interpreter::variableSlot(IdentExpr *id, Frame &f)
{
    if (id->checkExplicit)
        raise(ErrUndefinedVariable);
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
        if (id->checkExplicit)
            raise(ErrUndefinedVariable);
        return f.locals[id->index].deref();
    case Bind::Global:
        if (id->checkExplicit)
            raise(ErrUndefinedVariable);
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

// ---- operators --------------------------------------------------------------------------------------

Variant Interpreter::concat(const Variant &a, const Variant &b)
{
    Variant r = opConcat(a, b);
    if (r.isString() && r.stringValue().size() > limits.maxStringLength)
        raise(ErrOutOfStringSpace);
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

// ---- calls ----------------------------------------------------------------------------------------------

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
            return b->fn(*this, a);
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
            raise(ErrObjectRequired);
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
        return obj->call(id, a, wantResult);
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

// ---- assignment ------------------------------------------------------------------------------------------

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
            raise(ErrObjectRequired);
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
        if (!appendWithin(slot.stringRef(), piece, limits.maxStringLength)) {
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
        if (!appendWithin(slot.stringRef(), p, limits.maxStringLength)) {
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

// ---- New, Execute, Randomize ------------------------------------------------------------------------------

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

void Interpreter::execute(const QString &code, bool global, Frame &f)
{
    // Execute inside Execute nests like a call.
    CallDepth depth(m_depth, limits.maxCallDepth);
    checkStack();
    std::unique_ptr<Unit> u;
    try {
        u = Parser::parseProgram(code);
    } catch (ScriptError &e) {
        e.line = 0; // reported at the Execute statement
        throw;
    }
    Frame fr;
    if (global) {
        bindUnit(u.get(), nullptr);
    } else {
        bindUnit(u.get(), &f);
        fr = f;
        fr.resumeNext = false;
    }
    fr.unit = u.get();
    fr.with = nullptr;
    Unit *unit = u.get();
    const bool keep = !unit->procedures.empty() || !unit->classes.empty();
    std::unique_ptr<Unit> holder;
    if (keep)
        keepUnit(std::move(u));
    else
        holder = std::move(u);
    FrameSwitch restore(currentFrame, &fr);
    execBlock(unit->code, fr);
}

Flow ExecuteStmt::exec(Interpreter &in, Frame &f)
{
    const QString text = code->eval(in, f).toText();
    in.execute(text, global, f);
    return Flow::Normal;
}

Variant Interpreter::eval(const QString &expression)
{
    CallDepth depth(m_depth, limits.maxCallDepth);
    std::unique_ptr<Unit> u;
    try {
        u = Parser::parseExpression(expression);
    } catch (ScriptError &e) {
        e.line = 0;
        throw;
    }
    Frame *f = currentFrame;
    Frame top;
    if (!f)
        f = &top;
    bindUnit(u.get(), f->proc || f->me ? f : nullptr);
    return u->expression->eval(*this, *f);
}

void Interpreter::randomize(const Variant *seed)
{
    double d;
    if (seed) {
        d = seed->toDouble();
    } else {
        const QTime now = QTime::currentTime();
        d = now.msecsSinceStartOfDay() / 1000.0;
    }
    // Mix the bits of the number into the middle of the 24-bit seed.
    float s = float(d);
    uint32_t bits;
    std::memcpy(&bits, &s, sizeof bits);
    bits = ((bits & 0xFFFF) ^ (bits >> 16)) << 8;
    m_rndSeed = (m_rndSeed & 0xFF0000FFu) | (bits & 0x00FFFF00u);
    m_rndSeed &= 0xFFFFFF;
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

// ---- Context ---------------------------------------------------------------------------------------------------

Variant Interpreter::createObject(const QString &progId)
{
    const QString key = progId.trimmed().toLower();
    auto it = components.constFind(key);
    if (it != components.constEnd()) {
        Ref<Dispatch> obj = (*it)(*this);
        if (!obj)
            raise(ErrCannotCreateObject);
        return Variant(obj.get());
    }
    if (const ComponentFactory *f = ComponentRegistry::standard().find(key)) {
        Ref<Dispatch> obj = (*f)(*this);
        if (!obj)
            raise(ErrCannotCreateObject);
        return Variant(obj.get());
    }
    raise(ErrCannotCreateObject);
}

int Interpreter::locale() const
{
    return currentLocale().lcid;
}

bool Interpreter::setLocale(int lcid)
{
    if (!ScriptLocale::isKnown(lcid))
        return false;
    setCurrentLocale(ScriptLocale::forLcid(lcid));
    return true;
}

void Interpreter::checkStringLength(qint64 length) const
{
    if (length > limits.maxStringLength || length < 0)
        raise(ErrOutOfStringSpace);
}

void Interpreter::checkArraySize(qint64 elements) const
{
    if (elements > limits.maxArrayElements || elements < 0)
        raise(ErrOutOfMemory);
}

Variant Interpreter::getRef(const QString &procedureName)
{
    auto it = m_procs.constFind(procedureName.toLower());
    if (it == m_procs.constEnd())
        raise(ErrInvalidCall);
    return Variant(static_cast<Dispatch *>(new ProcRef(this, *it)));
}

Variant Interpreter::errObject()
{
    return Variant(static_cast<Dispatch *>(m_err.get()));
}

} // namespace vbs

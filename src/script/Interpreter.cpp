#include "Interpreter.h"

#include "ErrObject.h"
#include "InterpreterSupport.h"
#include "Parser.h"

#include <QTime>

#include <cstring>

namespace vbs {

namespace {

// The interpreter running a script on this thread, for chargeWork().
thread_local Interpreter *t_running = nullptr;

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

} // namespace

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
    m_declaredGlobals.clear();
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

void Interpreter::keepUnit(std::unique_ptr<Unit> u)
{
    m_units.push_back(std::move(u));
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
    if (m_clock.elapsed() > m_deadline)
        throw ScriptError(ErrTimeout);
}

void Interpreter::record(const ScriptError &e)
{
    errors.append(e);
}

void chargeWork(qint64 units)
{
    if (t_running)
        t_running->spend(units);
}

template <typename Fn>
bool Interpreter::guarded(Fn &&fn)
{
    struct Running {
        Interpreter *outer = t_running;
        explicit Running(Interpreter *in) { t_running = in; }
        ~Running() { t_running = outer; }
    } running(this);
    const bool outer = m_running == 0;
    char base;
    if (outer) {
        m_stackBase = &base;
        m_runStart = m_clock.elapsed();
        m_deadline = m_runStart + limits.timeLimitMs;
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
    m_err->helpFile = e.helpFile;
    m_err->helpContext = e.helpContext;
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

#pragma once

#include "Ast.h"
#include "ClassInstance.h"
#include "Dispatch.h"
#include "Engine.h"
#include "Registry.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSet>

#include <deque>
#include <memory>
#include <unordered_set>
#include <vector>

namespace vbs {

class ErrObject;

// One activation: a procedure call, the top level, or Execute'd code.
struct Frame {
    Variant *locals = nullptr;
    Procedure *proc = nullptr;
    ClassInstance *me = nullptr;
    Unit *unit = nullptr;
    const Variant *with = nullptr;
    bool resumeNext = false;
};

// The tree-walking interpreter behind Engine.
class Interpreter final : public Context {
public:
    Interpreter();
    ~Interpreter() override;

    // --- embedding ---
    EngineLimits limits;
    QHash<QString, ComponentFactory> components; // lower-case ProgID
    QStringList roots;
    ScriptLocale scriptLocale = ScriptLocale::forLcid(1033);
    QList<ScriptError> errors;
    int exitCode = 0;

    void addNamedItem(const QString &name, const Ref<Dispatch> &object);
    bool run(const QString &source);
    Variant evaluate(const QString &expression, bool *ok);
    bool callGlobal(const QString &name, const QList<Variant> &args, Variant *result);
    void reset();
    // Changes the time limit of the run under way (counted from its start)
    // and of later runs.
    void setTimeLimit(int ms);

    // --- Context ---
    Variant createObject(const QString &progId) override;
    QStringList fileRoots() const override { return roots; }
    uint32_t &rndSeed() override { return m_rndSeed; }
    float &rndLast() override { return m_rndLast; }
    int locale() const override;
    bool setLocale(int lcid) override;
    void checkStringLength(qint64 length) const override;
    void checkArraySize(qint64 elements) const override;
    Variant eval(const QString &expression) override;
    Variant getRef(const QString &procedureName) override;
    Variant errObject() override;

    // --- used by the AST nodes ---
    Variant readIdent(IdentExpr *id, Frame &f);
    Variant &variableSlot(IdentExpr *id, Frame &f); // Local/Global/Field; raises otherwise
    Variant evalCall(CallExpr *c, Frame &f, bool wantResult);
    Variant callTarget(Expr *target, ExprList &args, Frame &f, bool wantResult);
    Variant evalMember(MemberExpr *m, ExprList &args, bool hasArgs, Frame &f, bool wantResult);
    Variant newObject(NewExpr *n);
    void assign(Expr *target, Variant value, bool isSet, Frame &f);
    void execCall(CallStmt *s, Frame &f);
    Flow execBlock(Block &b, Frame &f);
    bool truth(const Variant &v);
    void dim(DimStmt *s, Frame &f);
    void erase(EraseStmt *s, Frame &f);
    void execute(const QString &code, bool global, Frame &f);
    void randomize(const Variant *seed);
    void onError(bool resumeNext, Frame &f);
    void setErr(const ScriptError &e);
    void clearErr();
    void append(AppendStmt *s, Frame &f);
    Variant concat(const Variant &a, const Variant &b);
    void tick()
    {
        if ((++m_ticks & 1023u) == 0)
            checkTime();
    }
    // Work done inside one statement (characters or items produced): the
    // time limit is checked after every kWorkPerCheck units, so that a loop
    // of heavy built-in calls ends on time too.
    static constexpr qint64 kWorkPerCheck = 1 << 20;
    void spend(qint64 units)
    {
        m_work += units;
        if (m_work >= kWorkPerCheck) {
            m_work = 0;
            checkTime();
        }
    }
    // Charges what a call produced: the length of a string, the items of an array.
    void spendOn(const Variant &result)
    {
        if (result.isString())
            spend(result.stringValue().size());
        else if (result.isArray())
            spend(qint64(result.arrayValue()->items.size()));
    }
    void checkTime();
    // Raises 28 when the machine stack in use passes the limit.
    void checkStack()
    {
        char probe;
        if (m_stackBase && m_stackBase - &probe > limits.maxStackBytes)
            raise(ErrOutOfStack);
    }
    static bool isFatal(const ScriptError &e);

    Variant callProc(Procedure *p, ClassInstance *me, CallArgs &args);
    Variant invokeMember(ClassInstance *inst, int member, CallArgs &args, bool wantResult, bool internal);
    void putMember(ClassInstance *inst, int member, CallArgs &args, const Variant &value, bool isSet, bool internal);
    Variant indexValue(const Variant &base, CallArgs &args, bool wantResult);
    Variant *elementSlot(Variant &arrayVar, CallArgs &args);

    std::unordered_set<ClassInstance *> live;
    Frame *currentFrame = nullptr;

private:
    void bindUnit(Unit *u, Frame *context);
    bool lateBind(IdentExpr *id);
    // A name used under Option Explicit without a declaration when its code
    // was bound: binds it to a global declared since, or raises 500.
    void undeclared(IdentExpr *id);
    void resolve(IdentExpr *id, Scope *scope, Procedure *proc, ClassInfo *cls, bool newLocals, bool optionExplicit);
    int globalSlot(const QString &lower);
    void keepUnit(std::unique_ptr<Unit> u);
    void record(const ScriptError &e);
    template <typename Fn>
    bool guarded(Fn &&fn);

    std::deque<Variant> m_globals;
    QHash<QString, int> m_globalIndex;
    QSet<QString> m_declaredGlobals; // names of global Dims of every unit so far
    QHash<QString, Procedure *> m_procs;
    QHash<QString, ClassInfo *> m_classes;
    QHash<QString, Variant> m_consts;
    std::vector<std::unique_ptr<Unit>> m_units;
    Ref<ErrObject> m_err;
    const FunctionRegistry &m_builtins;
    QElapsedTimer m_clock;
    qint64 m_deadline = 0;
    qint64 m_runStart = 0;
    uint32_t m_ticks = 0;
    qint64 m_work = 0;
    int m_depth = 0;
    int m_running = 0;
    char *m_stackBase = nullptr;
    uint32_t m_rndSeed = 0x50000;
    float m_rndLast = 0;
};

} // namespace vbs

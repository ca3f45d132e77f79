#pragma once

#include "Registry.h"
#include "Variant.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

namespace vbs {

class Interpreter;
class ClassInstance;
struct Frame;
struct Procedure;
struct ClassInfo;
struct Unit;

// ---- expressions --------------------------------------------------------------

struct Expr {
    enum class Kind : uint8_t { Literal, Ident, Me, Unary, Binary, Compare, Is, Call, Member, New, Paren };
    explicit Expr(Kind k) : kind(k) {}
    virtual ~Expr() = default;
    virtual Variant eval(Interpreter &in, Frame &f) = 0;

    Kind kind;
    bool literal = false; // a literal constant (comparison rules)
    uint16_t depth = 1;   // height of the tree below (bounded by the parser)
    int line = 0;
};
using ExprPtr = std::unique_ptr<Expr>;
using ExprList = std::vector<ExprPtr>; // a null entry is an omitted argument

struct LiteralExpr : Expr {
    explicit LiteralExpr(Variant v) : Expr(Kind::Literal), value(std::move(v)) { literal = true; }
    Variant eval(Interpreter &, Frame &) override { return value; }
    Variant value;
};

// What a name stands for, decided once the whole unit is parsed.
enum class Bind : uint8_t { Unresolved, Local, Global, Field, Const, Proc, MeMember, Builtin };

struct IdentExpr : Expr {
    IdentExpr() : Expr(Kind::Ident) {}
    Variant eval(Interpreter &in, Frame &f) override;

    QString name;
    QString lower;
    Bind bind = Bind::Unresolved;
    int index = 0;                        // slot of Local/Global/Field, member of MeMember
    Variant *global = nullptr;            // Global: the variable itself (globals never move)
    bool checkExplicit = false;           // undeclared under Option Explicit: raise 500
    bool declares = false;                // ReDim: declares the name
    bool implicitVar = false;             // bound to an implicit variable (may be a later procedure)
    Procedure *proc = nullptr;            // Proc; for a function's own name: the function
    const BuiltinInfo *builtin = nullptr; // Builtin
    Variant constValue;                   // Const
};

struct MeExpr : Expr {
    MeExpr() : Expr(Kind::Me) {}
    Variant eval(Interpreter &in, Frame &f) override;
};

enum class Op : uint8_t {
    Neg, Not, Pow, Mul, Div, IntDiv, Mod, Add, Sub, Concat, And, Or, Xor, Eqv, Imp,
    Eq, Ne, Lt, Gt, Le, Ge,
};

struct UnaryExpr : Expr {
    UnaryExpr(Op o, ExprPtr e) : Expr(Kind::Unary), op(o), operand(std::move(e)) {}
    Variant eval(Interpreter &in, Frame &f) override;
    Op op;
    ExprPtr operand;
};

struct BinaryExpr : Expr {
    BinaryExpr(Op o, ExprPtr l, ExprPtr r) : Expr(Kind::Binary), op(o), left(std::move(l)), right(std::move(r)) {}
    Variant eval(Interpreter &in, Frame &f) override;
    Op op;
    ExprPtr left, right;
};

struct CompareExpr : Expr {
    CompareExpr(Op o, ExprPtr l, ExprPtr r) : Expr(Kind::Compare), op(o), left(std::move(l)), right(std::move(r)) {}
    Variant eval(Interpreter &in, Frame &f) override;
    Op op;
    ExprPtr left, right;
};

struct IsExpr : Expr {
    IsExpr(ExprPtr l, ExprPtr r) : Expr(Kind::Is), left(std::move(l)), right(std::move(r)) {}
    Variant eval(Interpreter &in, Frame &f) override;
    ExprPtr left, right;
};

// name(args) or expr(args): a call, an array element or a default member.
struct CallExpr : Expr {
    CallExpr() : Expr(Kind::Call) {}
    Variant eval(Interpreter &in, Frame &f) override;
    ExprPtr target;
    ExprList args;
};

// obj.name or obj.name(args); obj is null inside With (".name").
struct MemberExpr : Expr {
    MemberExpr() : Expr(Kind::Member) {}
    Variant eval(Interpreter &in, Frame &f) override;
    ExprPtr object;
    QString name;
    ExprList args;
    bool hasArgs = false;
    const void *cacheKey = nullptr;
    int cacheId = 0;
};

struct NewExpr : Expr {
    NewExpr() : Expr(Kind::New) {}
    Variant eval(Interpreter &in, Frame &f) override;
    QString className;
    ClassInfo *cls = nullptr;
};

// (expr): a value, never a by-reference argument.
struct ParenExpr : Expr {
    explicit ParenExpr(ExprPtr e) : Expr(Kind::Paren), inner(std::move(e)) { literal = inner->literal; }
    Variant eval(Interpreter &in, Frame &f) override { return inner->eval(in, f); }
    ExprPtr inner;
};

// ---- statements -------------------------------------------------------------------

enum class Flow : uint8_t { Normal, ExitFor, ExitDo, ExitProc };

struct Stmt {
    virtual ~Stmt() = default;
    virtual Flow exec(Interpreter &in, Frame &f) = 0;
    int line = 0;
};
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

struct AssignStmt : Stmt {
    Flow exec(Interpreter &in, Frame &f) override;
    ExprPtr target;
    ExprPtr value;
    bool isSet = false;
};

// s = s & a & b ... on a plain variable: appends in place.
struct AppendStmt : Stmt {
    Flow exec(Interpreter &in, Frame &f) override;
    ExprPtr target; // IdentExpr
    ExprList pieces;
};

struct CallStmt : Stmt {
    Flow exec(Interpreter &in, Frame &f) override;
    ExprPtr target; // Ident, Member or Call
    ExprList args;
};

struct IfStmt : Stmt {
    Flow exec(Interpreter &in, Frame &f) override;
    std::vector<ExprPtr> conditions;
    std::vector<Block> blocks;
    Block elseBlock;
};

struct ForStmt : Stmt {
    Flow exec(Interpreter &in, Frame &f) override;
    ExprPtr var;
    ExprPtr from, to, step;
    Block body;
};

struct ForEachStmt : Stmt {
    Flow exec(Interpreter &in, Frame &f) override;
    ExprPtr var;
    ExprPtr collection;
    Block body;
};

struct DoStmt : Stmt {
    Flow exec(Interpreter &in, Frame &f) override;
    ExprPtr condition; // may be null
    bool atTop = true;
    bool until = false;
    bool isWhileWend = false;
    Block body;
};

struct SelectStmt : Stmt {
    Flow exec(Interpreter &in, Frame &f) override;
    ExprPtr subject;
    std::vector<std::vector<ExprPtr>> cases;
    std::vector<Block> blocks;
    bool hasElse = false;
    Block elseBlock;
};

struct DimStmt : Stmt {
    Flow exec(Interpreter &in, Frame &f) override;
    struct Item {
        ExprPtr var; // IdentExpr
        std::vector<ExprPtr> bounds;
        bool isArray = false; // Dim a() or Dim a(n)
    };
    std::vector<Item> items;
    bool redim = false;
    bool preserve = false;
};

struct EraseStmt : Stmt {
    Flow exec(Interpreter &in, Frame &f) override;
    ExprPtr var;
};

struct ExitStmt : Stmt {
    explicit ExitStmt(Flow k) : kind(k) {}
    Flow exec(Interpreter &, Frame &) override { return kind; }
    Flow kind;
};

struct OnErrorStmt : Stmt {
    Flow exec(Interpreter &in, Frame &f) override;
    bool resumeNext = true;
};

struct WithStmt : Stmt {
    Flow exec(Interpreter &in, Frame &f) override;
    ExprPtr object;
    Block body;
};

struct ExecuteStmt : Stmt {
    Flow exec(Interpreter &in, Frame &f) override;
    ExprPtr code;
    bool global = false;
};

struct RandomizeStmt : Stmt {
    Flow exec(Interpreter &in, Frame &f) override;
    ExprPtr seed; // may be null
};

// ---- procedures, classes, units -------------------------------------------------------

// Names declared in one procedure (or the top level of a unit) and every
// identifier used there, bound when the unit has been parsed.
struct Scope {
    QHash<QString, int> locals;       // lower-case name -> slot
    QHash<QString, Variant> consts;   // local constants
    std::vector<IdentExpr *> idents;
    int slotCount = 0;
    bool isTopLevel = true;
    int declare(const QString &lower)
    {
        auto it = locals.constFind(lower);
        if (it != locals.constEnd())
            return *it;
        locals.insert(lower, slotCount);
        return slotCount++;
    }
};

struct Procedure {
    enum class Kind : uint8_t { Sub, Function, PropertyGet, PropertyLet, PropertySet };
    QString name;
    QString lower;
    Kind kind = Kind::Sub;
    std::vector<bool> byVal;  // per parameter
    int paramCount = 0;
    int resultSlot = -1;      // Function / Property Get
    bool isPublic = true;
    bool isDefault = false;
    int line = 0;
    ClassInfo *cls = nullptr;
    Unit *unit = nullptr;
    Scope scope;
    Block body;
};

struct ClassInfo {
    struct Member {
        QString name;
        int field = -1;
        Procedure *method = nullptr; // Sub or Function
        Procedure *get = nullptr;
        Procedure *let = nullptr;
        Procedure *set = nullptr;
        bool isPublic = true;
    };
    struct Field {
        QString name;
        std::vector<int32_t> bounds; // upper bounds of a fixed array field
        bool isArray = false;
    };
    QString name;
    QString lower;
    std::vector<Field> fields;
    std::vector<Member> members;
    QHash<QString, int> memberIndex; // lower-case name -> members index
    int defaultMember = -1;
    Procedure *initialize = nullptr;
    Procedure *terminate = nullptr;
    std::vector<std::unique_ptr<Procedure>> procedures;

    int memberFor(const QString &lower)
    {
        auto it = memberIndex.constFind(lower);
        if (it != memberIndex.constEnd())
            return *it;
        Member m;
        members.push_back(m);
        memberIndex.insert(lower, int(members.size()) - 1);
        return int(members.size()) - 1;
    }
};

// One compiled script text (a run, an Execute, an ExecuteGlobal or an Eval).
struct Unit {
    Block code;
    Scope scope;
    ExprPtr expression; // Eval
    std::vector<std::unique_ptr<Procedure>> procedures;
    std::vector<std::unique_ptr<ClassInfo>> classes;
    std::vector<std::pair<QString, Variant>> globalConsts;
    std::vector<QString> globalDims; // declared at the top level (lower case)
    bool optionExplicit = false;
};

} // namespace vbs

#include "Parser.h"

#include <cmath>

namespace vbs {

namespace {

constexpr int kMaxNesting = 200;
constexpr int kMaxTreeDepth = 1500; // operator chains: a + b + c ... are evaluated recursively

struct DepthGuard {
    int &depth;
    DepthGuard(int &d, const Token &t) : depth(d)
    {
        if (++depth > kMaxNesting) {
            --depth;
            ScriptError e(ErrOutOfStack);
            e.compile = true;
            e.line = t.line;
            e.column = t.column;
            throw e;
        }
    }
    ~DepthGuard() { --depth; }
};

} // namespace

Parser::Parser(std::vector<Token> tokens) : m_tokens(std::move(tokens)), m_unit(std::make_unique<Unit>())
{
    m_scope = &m_unit->scope;
}

std::unique_ptr<Unit> Parser::parseProgram(const QString &source, int firstLine)
{
    Parser p(tokenize(source, firstLine));
    p.parseTopLevel();
    return std::move(p.m_unit);
}

std::unique_ptr<Unit> Parser::parseExpression(const QString &source)
{
    Parser p(tokenize(source));
    p.skipNewlines();
    p.m_unit->expression = p.parseExpr();
    p.skipNewlines();
    if (p.peek().type != Tok::End)
        p.fail(ErrExpectedEndOfStatement);
    return std::move(p.m_unit);
}

const Token &Parser::peek(int ahead) const
{
    const size_t i = std::min(m_pos + size_t(ahead), m_tokens.size() - 1);
    return m_tokens[i];
}

const Token &Parser::next()
{
    const Token &t = m_tokens[m_pos];
    if (m_pos + 1 < m_tokens.size())
        ++m_pos;
    return t;
}

bool Parser::atKw(Kw k, int ahead) const
{
    const Token &t = peek(ahead);
    return t.type == Tok::Ident && t.kw == k;
}

bool Parser::acceptKw(Kw k)
{
    if (atKw(k)) {
        next();
        return true;
    }
    return false;
}

bool Parser::accept(Tok t)
{
    if (peek().type == t) {
        next();
        return true;
    }
    return false;
}

void Parser::expectKw(Kw k, int error)
{
    if (!acceptKw(k))
        fail(error);
}

void Parser::expect(Tok t, int error)
{
    if (!accept(t))
        fail(error);
}

bool Parser::atEndOfStatement() const
{
    const Tok t = peek().type;
    return t == Tok::Newline || t == Tok::End;
}

void Parser::expectEndOfStatement()
{
    if (peek().type == Tok::Newline) {
        next();
        return;
    }
    if (peek().type != Tok::End)
        fail(ErrExpectedEndOfStatement);
}

void Parser::skipNewlines()
{
    while (peek().type == Tok::Newline)
        next();
}

void Parser::fail(int number) const
{
    failAt(number, peek());
}

void Parser::failAt(int number, const Token &t) const
{
    ScriptError e(number);
    e.compile = true;
    e.line = t.line;
    e.column = t.column;
    throw e;
}

QString Parser::expectName()
{
    const Token &t = peek();
    if (t.type != Tok::Ident)
        fail(ErrExpectedIdentifier);
    next();
    return t.text;
}

std::unique_ptr<IdentExpr> Parser::makeIdent(const Token &t)
{
    auto id = std::make_unique<IdentExpr>();
    id->name = t.text;
    id->lower = t.lower;
    id->line = t.line;
    m_scope->idents.push_back(id.get());
    return id;
}

// ---- statements ---------------------------------------------------------------------

void Parser::parseTopLevel()
{
    for (;;) {
        skipNewlines();
        const Token &t = peek();
        if (t.type == Tok::End)
            break;
        if (atBlockEnd()) {
            if (t.kw == Kw::Next)
                fail(ErrUnexpectedNext);
            if (t.kw == Kw::Loop)
                fail(ErrLoopWithoutDo);
            fail(ErrExpectedStatement);
        }
        StmtPtr s = parseStatement(false);
        if (s)
            m_unit->code.push_back(std::move(s));
        expectEndOfStatement();
    }
}

bool Parser::atBlockEnd() const
{
    const Token &t = peek();
    if (t.type == Tok::End)
        return true;
    if (t.type != Tok::Ident)
        return false;
    switch (t.kw) {
    case Kw::End: case Kw::Else: case Kw::ElseIf: case Kw::Case: case Kw::Loop: case Kw::Next: case Kw::Wend:
        return true;
    default:
        return false;
    }
}

void Parser::parseBlock(Block &into, bool singleLine)
{
    DepthGuard guard(m_depth, peek());
    if (singleLine) {
        for (;;) {
            if (atKw(Kw::Else) || atEndOfStatement())
                break;
            StmtPtr s = parseStatement(true);
            if (s)
                into.push_back(std::move(s));
            if (peek().type == Tok::Newline && peek().text == QLatin1String(":")) {
                next();
                continue;
            }
            break;
        }
        return;
    }
    for (;;) {
        skipNewlines();
        if (atBlockEnd())
            return;
        StmtPtr s = parseStatement(false);
        if (s)
            into.push_back(std::move(s));
        expectEndOfStatement();
    }
}

StmtPtr Parser::parseStatement(bool singleLine)
{
    DepthGuard guard(m_depth, peek());
    const Token &t = peek();
    const int line = t.line;
    StmtPtr s;
    if (t.type == Tok::Dot) {
        s = parseAssignOrCall(false, false);
    } else if (t.type != Tok::Ident) {
        fail(ErrExpectedStatement);
    } else {
        switch (t.kw) {
        case Kw::Dim: next(); s = parseDim(false); break;
        case Kw::ReDim: next(); s = parseDim(true); break;
        case Kw::Const: next(); s = parseConst(m_proc == nullptr); break;
        case Kw::Public:
        case Kw::Private: {
            if (m_proc || singleLine)
                fail(ErrExpectedStatement);
            const bool isPublic = t.kw == Kw::Public;
            next();
            const bool isDefault = acceptKw(Kw::Default);
            if (isDefault)
                fail(ErrMustBeInClass);
            if (atKw(Kw::Const)) {
                next();
                s = parseConst(true);
            } else if (atKw(Kw::Sub)) {
                parseProcedure(Procedure::Kind::Sub, isPublic, false, nullptr);
            } else if (atKw(Kw::Function)) {
                parseProcedure(Procedure::Kind::Function, isPublic, false, nullptr);
            } else if (atKw(Kw::Property)) {
                fail(ErrMustBeInClass);
            } else {
                s = parseDim(false);
            }
            break;
        }
        case Kw::Sub:
        case Kw::Function:
            if (m_proc || singleLine || m_depth > 2)
                fail(ErrExpectedStatement);
            parseProcedure(t.kw == Kw::Sub ? Procedure::Kind::Sub : Procedure::Kind::Function, true, false, nullptr);
            break;
        case Kw::Property:
            fail(ErrMustBeInClass);
        case Kw::Class:
            if (m_proc || singleLine || m_depth > 2)
                fail(ErrExpectedStatement);
            parseClass();
            break;
        case Kw::If: s = parseIf(); break;
        case Kw::For: s = parseFor(); break;
        case Kw::Do: s = parseDo(); break;
        case Kw::While: s = parseWhile(); break;
        case Kw::Select: s = parseSelect(); break;
        case Kw::With: s = parseWith(); break;
        case Kw::Exit: s = parseExit(); break;
        case Kw::On: s = parseOnError(); break;
        case Kw::Option:
            next();
            expectKw(Kw::Explicit, ErrSyntax);
            m_unit->optionExplicit = true;
            break;
        case Kw::Set: next(); s = parseAssignOrCall(true, false); break;
        case Kw::Let: next(); s = parseAssignOrCall(false, false); break;
        case Kw::Call: next(); s = parseAssignOrCall(false, true); break;
        case Kw::Erase: {
            next();
            auto e = std::make_unique<EraseStmt>();
            if (peek().type != Tok::Ident || peek().kw != Kw::None)
                fail(ErrExpectedIdentifier);
            e->var = makeIdent(next());
            s = std::move(e);
            break;
        }
        case Kw::Stop:
            next();
            break;
        case Kw::None:
        case Kw::Me: {
            const bool plainArgsFollow = peek(1).type != Tok::Eq && peek(1).type != Tok::Dot
                && !(peek(1).type == Tok::LParen && !peek(1).spaceBefore);
            if (t.lower == QLatin1String("randomize") && plainArgsFollow) {
                next();
                auto r = std::make_unique<RandomizeStmt>();
                if (!atEndOfStatement() && !atKw(Kw::Else))
                    r->seed = parseExpr();
                s = std::move(r);
            } else if ((t.lower == QLatin1String("execute") || t.lower == QLatin1String("executeglobal"))
                       && peek(1).type != Tok::Eq && peek(1).type != Tok::Dot && !atEndOfStatement()) {
                const bool global = t.lower == QLatin1String("executeglobal");
                next();
                auto x = std::make_unique<ExecuteStmt>();
                x->global = global;
                x->code = parseExpr();
                s = std::move(x);
            } else {
                s = parseAssignOrCall(false, false);
            }
            break;
        }
        default:
            fail(ErrExpectedStatement);
        }
    }
    if (s)
        s->line = line;
    return s;
}

StmtPtr Parser::parseIf()
{
    next(); // If
    auto s = std::make_unique<IfStmt>();
    s->conditions.push_back(parseExpr());
    expectKw(Kw::Then, ErrExpectedThen);
    if (peek().type == Tok::Newline && peek().text.isEmpty()) {
        s->blocks.emplace_back();
        parseBlock(s->blocks.back());
        for (;;) {
            if (atKw(Kw::ElseIf)) {
                next();
                s->conditions.push_back(parseExpr());
                expectKw(Kw::Then, ErrExpectedThen);
                s->blocks.emplace_back();
                parseBlock(s->blocks.back());
                continue;
            }
            if (atKw(Kw::Else)) {
                next();
                parseBlock(s->elseBlock);
            }
            break;
        }
        expectKw(Kw::End, ErrExpectedEnd);
        expectKw(Kw::If, ErrExpectedIf);
        return s;
    }
    if (peek().type == Tok::Newline)
        next(); // "If c Then : stmt" continues on the line
    s->blocks.emplace_back();
    parseBlock(s->blocks.back(), true);
    if (atKw(Kw::Else)) {
        next();
        parseBlock(s->elseBlock, true);
    }
    // A single-line If may still be closed by "End If" on the same line.
    if (atKw(Kw::End) && peek(1).type == Tok::Ident && peek(1).kw == Kw::If) {
        next();
        next();
    }
    return s;
}

StmtPtr Parser::parseFor()
{
    next(); // For
    if (acceptKw(Kw::Each)) {
        auto s = std::make_unique<ForEachStmt>();
        if (peek().type != Tok::Ident || (peek().kw != Kw::None))
            fail(ErrInvalidForVariable);
        s->var = makeIdent(next());
        expectKw(Kw::In, ErrExpectedIn);
        s->collection = parseExpr();
        expectEndOfStatement();
        ++m_loopFor;
        parseBlock(s->body);
        --m_loopFor;
        expectKw(Kw::Next, ErrExpectedNext);
        if (peek().type == Tok::Ident && peek().kw == Kw::None)
            next();
        return s;
    }
    auto s = std::make_unique<ForStmt>();
    if (peek().type != Tok::Ident || peek().kw != Kw::None)
        fail(ErrInvalidForVariable);
    s->var = makeIdent(next());
    expect(Tok::Eq, ErrExpectedEquals);
    s->from = parseExpr();
    expectKw(Kw::To, ErrExpectedTo);
    s->to = parseExpr();
    if (acceptKw(Kw::Step))
        s->step = parseExpr();
    expectEndOfStatement();
    ++m_loopFor;
    parseBlock(s->body);
    --m_loopFor;
    expectKw(Kw::Next, ErrExpectedNext);
    if (peek().type == Tok::Ident && peek().kw == Kw::None)
        next();
    return s;
}

StmtPtr Parser::parseDo()
{
    next(); // Do
    auto s = std::make_unique<DoStmt>();
    if (atKw(Kw::While) || atKw(Kw::Until)) {
        s->until = next().kw == Kw::Until;
        s->condition = parseExpr();
        s->atTop = true;
    }
    expectEndOfStatement();
    ++m_loopDo;
    parseBlock(s->body);
    --m_loopDo;
    expectKw(Kw::Loop, ErrExpectedLoop);
    if (atKw(Kw::While) || atKw(Kw::Until)) {
        if (s->condition)
            fail(ErrExpectedEndOfStatement);
        s->until = next().kw == Kw::Until;
        s->condition = parseExpr();
        s->atTop = false;
    }
    return s;
}

StmtPtr Parser::parseWhile()
{
    next(); // While
    auto s = std::make_unique<DoStmt>();
    s->isWhileWend = true;
    s->condition = parseExpr();
    expectEndOfStatement();
    parseBlock(s->body);
    expectKw(Kw::Wend, ErrExpectedWend);
    return s;
}

StmtPtr Parser::parseSelect()
{
    next(); // Select
    expectKw(Kw::Case, ErrExpectedCase);
    auto s = std::make_unique<SelectStmt>();
    s->subject = parseExpr();
    expectEndOfStatement();
    skipNewlines();
    while (atKw(Kw::Case)) {
        next();
        if (acceptKw(Kw::Else)) {
            s->hasElse = true;
            parseBlock(s->elseBlock);
            break;
        }
        std::vector<ExprPtr> values;
        values.push_back(parseExpr());
        while (accept(Tok::Comma))
            values.push_back(parseExpr());
        s->cases.push_back(std::move(values));
        s->blocks.emplace_back();
        parseBlock(s->blocks.back());
    }
    expectKw(Kw::End, ErrExpectedEnd);
    expectKw(Kw::Select, ErrExpectedSelect);
    return s;
}

StmtPtr Parser::parseWith()
{
    next(); // With
    auto s = std::make_unique<WithStmt>();
    s->object = parseExpr();
    expectEndOfStatement();
    ++m_withDepth;
    parseBlock(s->body);
    --m_withDepth;
    expectKw(Kw::End, ErrExpectedEnd);
    expectKw(Kw::With, ErrExpectedWith);
    return s;
}

StmtPtr Parser::parseDim(bool redim)
{
    auto s = std::make_unique<DimStmt>();
    s->redim = redim;
    if (redim)
        s->preserve = acceptKw(Kw::Preserve);
    for (;;) {
        if (peek().type != Tok::Ident || peek().kw != Kw::None)
            fail(ErrExpectedIdentifier);
        const Token &t = next();
        DimStmt::Item item;
        if (!redim) {
            if (m_proc)
                m_scope->declare(t.lower);
            else
                m_unit->globalDims.push_back(t.lower);
        }
        auto id = makeIdent(t);
        if (redim)
            id->declares = true;
        item.var = std::move(id);
        if (accept(Tok::LParen)) {
            item.isArray = true;
            if (!accept(Tok::RParen)) {
                item.bounds.push_back(parseExpr());
                while (accept(Tok::Comma))
                    item.bounds.push_back(parseExpr());
                expect(Tok::RParen, ErrExpectedRParen);
            }
            if (redim && item.bounds.empty())
                fail(ErrExpectedExpression);
        } else if (redim) {
            fail(ErrExpectedLParen);
        }
        s->items.push_back(std::move(item));
        if (!accept(Tok::Comma))
            break;
    }
    return s;
}

bool Parser::foldConstant(Expr *e, Variant &out)
{
    try {
        switch (e->kind) {
        case Expr::Kind::Literal:
            out = static_cast<LiteralExpr *>(e)->value;
            return true;
        case Expr::Kind::Paren:
            return foldConstant(static_cast<ParenExpr *>(e)->inner.get(), out);
        case Expr::Kind::Unary: {
            auto *u = static_cast<UnaryExpr *>(e);
            Variant v;
            if (!foldConstant(u->operand.get(), v))
                return false;
            out = u->op == Op::Neg ? opNeg(v) : opNot(v);
            return true;
        }
        case Expr::Kind::Ident: {
            auto *id = static_cast<IdentExpr *>(e);
            auto it = m_scope->consts.constFind(id->lower);
            if (it != m_scope->consts.constEnd()) {
                out = *it;
                return true;
            }
            for (const auto &c : m_unit->globalConsts) {
                if (c.first == id->lower) {
                    out = c.second;
                    return true;
                }
            }
            return false;
        }
        case Expr::Kind::Binary: {
            auto *b = static_cast<BinaryExpr *>(e);
            Variant l, r;
            if (!foldConstant(b->left.get(), l) || !foldConstant(b->right.get(), r))
                return false;
            switch (b->op) {
            case Op::Add: out = opAdd(l, r); return true;
            case Op::Sub: out = opSub(l, r); return true;
            case Op::Mul: out = opMul(l, r); return true;
            case Op::Div: out = opDiv(l, r); return true;
            case Op::Concat: out = opConcat(l, r); return true;
            case Op::Or: out = opOr(l, r); return true;
            case Op::And: out = opAnd(l, r); return true;
            default: return false;
            }
        }
        default:
            return false;
        }
    } catch (const ScriptError &) {
        return false;
    }
}

StmtPtr Parser::parseConst(bool topLevel)
{
    for (;;) {
        if (peek().type != Tok::Ident || peek().kw != Kw::None)
            fail(ErrExpectedIdentifier);
        const Token &t = next();
        const QString lower = t.lower;
        expect(Tok::Eq, ErrExpectedEquals);
        const size_t mark = m_scope->idents.size();
        ExprPtr e = parseExpr();
        Variant v;
        if (!foldConstant(e.get(), v))
            fail(ErrExpectedLiteral);
        m_scope->idents.resize(mark); // names inside the constant were folded away
        if (topLevel || !m_proc)
            m_unit->globalConsts.emplace_back(lower, v);
        else
            m_scope->consts.insert(lower, v);
        if (!accept(Tok::Comma))
            break;
    }
    return nullptr;
}

StmtPtr Parser::parseExit()
{
    next(); // Exit
    const Token &t = peek();
    if (t.type != Tok::Ident)
        fail(ErrInvalidExit);
    switch (t.kw) {
    case Kw::Do:
        if (!m_loopDo)
            fail(ErrInvalidExit);
        next();
        return std::make_unique<ExitStmt>(Flow::ExitDo);
    case Kw::For:
        if (!m_loopFor)
            fail(ErrInvalidExit);
        next();
        return std::make_unique<ExitStmt>(Flow::ExitFor);
    case Kw::Sub:
    case Kw::Function:
    case Kw::Property: {
        if (!m_proc)
            fail(ErrInvalidExit);
        const Procedure::Kind k = m_proc->kind;
        const bool ok = (t.kw == Kw::Sub && k == Procedure::Kind::Sub)
            || (t.kw == Kw::Function && k == Procedure::Kind::Function)
            || (t.kw == Kw::Property && k != Procedure::Kind::Sub && k != Procedure::Kind::Function);
        if (!ok)
            fail(ErrInvalidExit);
        next();
        return std::make_unique<ExitStmt>(Flow::ExitProc);
    }
    default:
        fail(ErrInvalidExit);
    }
}

StmtPtr Parser::parseOnError()
{
    next(); // On
    expectKw(Kw::Error, ErrSyntax);
    auto s = std::make_unique<OnErrorStmt>();
    if (acceptKw(Kw::Resume)) {
        expectKw(Kw::Next, ErrSyntax);
        s->resumeNext = true;
    } else if (acceptKw(Kw::GoTo)) {
        const Token &t = peek();
        if (t.type != Tok::Number || t.value.toDouble() != 0)
            fail(ErrSyntax);
        next();
        s->resumeNext = false;
    } else {
        fail(ErrSyntax);
    }
    return s;
}

StmtPtr Parser::parseAssignOrCall(bool isSet, bool isCall)
{
    const size_t start = m_pos;
    const size_t identMark = m_scope->idents.size();
    int lastParen = -1;
    ExprPtr target = parsePostfix(true, &lastParen);
    if (peek().type == Tok::Eq && !isCall) {
        next();
        if (target->kind != Expr::Kind::Ident && target->kind != Expr::Kind::Call
            && target->kind != Expr::Kind::Member)
            fail(ErrSyntax);
        ExprPtr value = parseExpr();
        // s = s & a & b: append in place.
        if (!isSet && target->kind == Expr::Kind::Ident && value->kind == Expr::Kind::Binary
            && static_cast<BinaryExpr *>(value.get())->op == Op::Concat) {
            auto *tid = static_cast<IdentExpr *>(target.get());
            std::vector<ExprPtr *> spine;
            Expr *cur = value.get();
            while (cur->kind == Expr::Kind::Binary && static_cast<BinaryExpr *>(cur)->op == Op::Concat) {
                auto *b = static_cast<BinaryExpr *>(cur);
                spine.push_back(&b->right);
                cur = b->left.get();
            }
            if (cur->kind == Expr::Kind::Ident && static_cast<IdentExpr *>(cur)->lower == tid->lower) {
                auto a = std::make_unique<AppendStmt>();
                for (auto it = spine.rbegin(); it != spine.rend(); ++it)
                    a->pieces.push_back(std::move(**it));
                // the leftmost identifier is not evaluated any more
                auto &ids = m_scope->idents;
                ids.erase(std::remove(ids.begin(), ids.end(), static_cast<IdentExpr *>(cur)), ids.end());
                a->target = std::move(target);
                return a;
            }
        }
        auto s = std::make_unique<AssignStmt>();
        s->target = std::move(target);
        s->value = std::move(value);
        s->isSet = isSet;
        return s;
    }
    if (isSet)
        fail(ErrExpectedEquals);
    auto s = std::make_unique<CallStmt>();
    if (atEndOfStatement() || atKw(Kw::Else)) {
        if (target->kind == Expr::Kind::Call) {
            auto *c = static_cast<CallExpr *>(target.get());
            if (!isCall && c->args.size() > 1)
                fail(ErrParensOnSubCall);
            if (!isCall && c->args.size() == 1 && c->args[0] && c->args[0]->kind != Expr::Kind::Paren)
                c->args[0] = std::make_unique<ParenExpr>(std::move(c->args[0]));
            s->target = std::move(c->target);
            s->args = std::move(c->args);
        } else if (target->kind == Expr::Kind::Member && static_cast<MemberExpr *>(target.get())->hasArgs) {
            auto *m = static_cast<MemberExpr *>(target.get());
            if (!isCall && m->args.size() > 1)
                fail(ErrParensOnSubCall);
            if (!isCall && m->args.size() == 1 && m->args[0] && m->args[0]->kind != Expr::Kind::Paren)
                m->args[0] = std::make_unique<ParenExpr>(std::move(m->args[0]));
            s->args = std::move(m->args);
            m->hasArgs = false;
            m->args.clear();
            s->target = std::move(target);
        } else {
            s->target = std::move(target);
        }
        return s;
    }
    if (isCall)
        fail(ErrExpectedEndOfStatement);
    // More tokens: arguments without parentheses. If the chain ended with a
    // parenthesised group, that group was the start of the first argument.
    if (lastParen >= 0 && size_t(lastParen) > start) {
        target.reset();
        m_scope->idents.resize(identMark);
        m_pos = start;
        target = parsePostfix(true, nullptr);
        // parsePostfix stops before the token index held in m_stopAt
    }
    parseBareArgs(s->args);
    s->target = std::move(target);
    return s;
}

void Parser::parseBareArgs(ExprList &args)
{
    for (;;) {
        if (peek().type == Tok::Comma) {
            args.push_back(nullptr);
            next();
            continue;
        }
        if (atEndOfStatement() || atKw(Kw::Else))
            break;
        args.push_back(parseExpr());
        if (!accept(Tok::Comma))
            break;
        if (atEndOfStatement())
            args.push_back(nullptr);
    }
    if (!atEndOfStatement() && !atKw(Kw::Else))
        fail(ErrExpectedEndOfStatement);
}

void Parser::parseProcedure(Procedure::Kind kind, bool isPublic, bool isDefault, ClassInfo *cls)
{
    const Token &kwTok = next(); // Sub / Function / Get / Let / Set
    auto proc = std::make_unique<Procedure>();
    proc->kind = kind;
    proc->isPublic = isPublic;
    proc->isDefault = isDefault;
    proc->cls = cls;
    proc->unit = m_unit.get();
    proc->line = kwTok.line;
    proc->scope.isTopLevel = false;
    if (peek().type != Tok::Ident)
        fail(ErrExpectedIdentifier);
    const Token &nameTok = next();
    proc->name = nameTok.text;
    proc->lower = nameTok.lower;
    Scope *savedScope = m_scope;
    Procedure *savedProc = m_proc;
    m_scope = &proc->scope;
    m_proc = proc.get();
    if (accept(Tok::LParen)) {
        if (!accept(Tok::RParen)) {
            for (;;) {
                bool byVal = false;
                if (acceptKw(Kw::ByVal))
                    byVal = true;
                else
                    acceptKw(Kw::ByRef);
                if (peek().type != Tok::Ident || peek().kw != Kw::None)
                    fail(ErrExpectedIdentifier);
                const Token &p = next();
                if (accept(Tok::LParen))
                    expect(Tok::RParen, ErrExpectedRParen);
                if (proc->scope.locals.contains(p.lower))
                    failAt(ErrNameRedefined, p);
                proc->scope.declare(p.lower);
                proc->byVal.push_back(byVal);
                if (!accept(Tok::Comma))
                    break;
            }
            expect(Tok::RParen, ErrExpectedRParen);
        }
    }
    proc->paramCount = int(proc->byVal.size());
    if (kind == Procedure::Kind::Function || kind == Procedure::Kind::PropertyGet)
        proc->resultSlot = proc->scope.declare(proc->lower);
    if ((kind == Procedure::Kind::PropertyLet || kind == Procedure::Kind::PropertySet) && proc->paramCount == 0)
        fail(ErrPropertyNeedsArg);
    expectEndOfStatement();
    parseBlock(proc->body);
    expectKw(Kw::End, ErrExpectedEnd);
    switch (kind) {
    case Procedure::Kind::Sub: expectKw(Kw::Sub, ErrExpectedSub); break;
    case Procedure::Kind::Function: expectKw(Kw::Function, ErrExpectedFunction); break;
    default: expectKw(Kw::Property, ErrExpectedProperty); break;
    }
    m_scope = savedScope;
    m_proc = savedProc;

    if (cls) {
        if (proc->lower == QLatin1String("class_initialize") || proc->lower == QLatin1String("class_terminate")) {
            if (proc->paramCount != 0)
                fail(ErrInitTerminateArgs);
            (proc->lower == QLatin1String("class_initialize") ? cls->initialize : cls->terminate) = proc.get();
        }
        const int idx = cls->memberFor(proc->lower);
        ClassInfo::Member &m = cls->members[size_t(idx)];
        m.name = proc->name;
        if (kind == Procedure::Kind::Sub || kind == Procedure::Kind::Function) {
            if (m.method || m.field >= 0 || m.get || m.let || m.set)
                failAt(ErrNameRedefined, nameTok);
            m.method = proc.get();
        } else {
            Procedure *&slot = kind == Procedure::Kind::PropertyGet ? m.get
                : kind == Procedure::Kind::PropertyLet              ? m.let
                                                                    : m.set;
            if (slot || m.method || m.field >= 0)
                failAt(ErrNameRedefined, nameTok);
            slot = proc.get();
        }
        m.isPublic = isPublic;
        if (isDefault) {
            if (cls->defaultMember >= 0 && cls->defaultMember != idx)
                fail(ErrMultipleDefaults);
            if (kind == Procedure::Kind::PropertyLet || kind == Procedure::Kind::PropertySet)
                fail(ErrDefaultOnlyGet);
            cls->defaultMember = idx;
        }
        cls->procedures.push_back(std::move(proc));
    } else {
        m_unit->procedures.push_back(std::move(proc));
    }
}

void Parser::parseClassVarDecl(ClassInfo *cls, bool isPublic)
{
    for (;;) {
        if (peek().type != Tok::Ident || peek().kw != Kw::None)
            fail(ErrExpectedIdentifier);
        const Token &t = next();
        ClassInfo::Field field;
        field.name = t.text;
        if (accept(Tok::LParen)) {
            field.isArray = true;
            if (!accept(Tok::RParen)) {
                for (;;) {
                    const Token &b = peek();
                    if (b.type != Tok::Number)
                        fail(ErrExpectedInteger);
                    next();
                    field.bounds.push_back(b.value.toLong());
                    if (!accept(Tok::Comma))
                        break;
                }
                expect(Tok::RParen, ErrExpectedRParen);
            }
        }
        const int idx = cls->memberFor(t.lower);
        ClassInfo::Member &m = cls->members[size_t(idx)];
        if (m.field >= 0 || m.method || m.get || m.let || m.set)
            failAt(ErrNameRedefined, t);
        m.name = t.text;
        m.field = int(cls->fields.size());
        m.isPublic = isPublic;
        cls->fields.push_back(field);
        if (!accept(Tok::Comma))
            break;
    }
}

void Parser::parseClass()
{
    next(); // Class
    if (peek().type != Tok::Ident || peek().kw != Kw::None)
        fail(ErrExpectedIdentifier);
    const Token &nameTok = next();
    auto cls = std::make_unique<ClassInfo>();
    cls->name = nameTok.text;
    cls->lower = nameTok.lower;
    expectEndOfStatement();
    for (;;) {
        skipNewlines();
        if (peek().type == Tok::End)
            fail(ErrExpectedEnd);
        if (acceptKw(Kw::End)) {
            expectKw(Kw::Class, ErrExpectedClass);
            break;
        }
        bool isPublic = true;
        bool visibility = false;
        bool isDefault = false;
        if (acceptKw(Kw::Public)) {
            visibility = true;
            isDefault = acceptKw(Kw::Default);
        } else if (acceptKw(Kw::Private)) {
            visibility = true;
            isPublic = false;
        }
        if (atKw(Kw::Sub)) {
            parseProcedure(Procedure::Kind::Sub, isPublic, isDefault, cls.get());
        } else if (atKw(Kw::Function)) {
            parseProcedure(Procedure::Kind::Function, isPublic, isDefault, cls.get());
        } else if (atKw(Kw::Property)) {
            next();
            if (atKw(Kw::Get))
                parseProcedure(Procedure::Kind::PropertyGet, isPublic, isDefault, cls.get());
            else if (atKw(Kw::Let))
                parseProcedure(Procedure::Kind::PropertyLet, isPublic, isDefault, cls.get());
            else if (atKw(Kw::Set))
                parseProcedure(Procedure::Kind::PropertySet, isPublic, isDefault, cls.get());
            else
                fail(ErrExpectedLetSetGet);
        } else if (isDefault) {
            fail(ErrDefaultNeedsProc);
        } else if (atKw(Kw::Dim)) {
            next();
            parseClassVarDecl(cls.get(), true);
        } else if (atKw(Kw::Const)) {
            next();
            parseConst(true);
        } else if (visibility) {
            parseClassVarDecl(cls.get(), isPublic);
        } else {
            fail(ErrExpectedStatement);
        }
        expectEndOfStatement();
    }
    m_unit->classes.push_back(std::move(cls));
}

// ---- expressions ---------------------------------------------------------------------

void Parser::checkDepth(Expr *e) const
{
    int d = 0;
    auto take = [&d](const Expr *c) {
        if (c && c->depth > d)
            d = c->depth;
    };
    switch (e->kind) {
    case Expr::Kind::Unary: take(static_cast<UnaryExpr *>(e)->operand.get()); break;
    case Expr::Kind::Binary: take(static_cast<BinaryExpr *>(e)->left.get()); take(static_cast<BinaryExpr *>(e)->right.get()); break;
    case Expr::Kind::Compare: take(static_cast<CompareExpr *>(e)->left.get()); take(static_cast<CompareExpr *>(e)->right.get()); break;
    case Expr::Kind::Is: take(static_cast<IsExpr *>(e)->left.get()); take(static_cast<IsExpr *>(e)->right.get()); break;
    case Expr::Kind::Paren: take(static_cast<ParenExpr *>(e)->inner.get()); break;
    case Expr::Kind::Call:
        take(static_cast<CallExpr *>(e)->target.get());
        for (const ExprPtr &a : static_cast<CallExpr *>(e)->args)
            take(a.get());
        break;
    case Expr::Kind::Member:
        take(static_cast<MemberExpr *>(e)->object.get());
        for (const ExprPtr &a : static_cast<MemberExpr *>(e)->args)
            take(a.get());
        break;
    default:
        break;
    }
    if (d + 1 > kMaxTreeDepth)
        fail(ErrOutOfStack);
    e->depth = uint16_t(d + 1);
}

ExprPtr Parser::parseExpr()
{
    DepthGuard guard(m_depth, peek());
    return parseImp();
}

#define BINARY_LEVEL(fn, sub, cond, opOf)                                          \
    ExprPtr Parser::fn()                                                           \
    {                                                                              \
        ExprPtr left = sub();                                                      \
        for (;;) {                                                                 \
            const Token &t = peek();                                               \
            if (!(cond))                                                           \
                return left;                                                       \
            const Op op = opOf;                                                    \
            const int line = t.line;                                               \
            next();                                                                \
            ExprPtr right = sub();                                                 \
            left = std::make_unique<BinaryExpr>(op, std::move(left), std::move(right)); \
            left->line = line;                                                     \
            checkDepth(left.get());                                                \
        }                                                                          \
    }

BINARY_LEVEL(parseImp, parseEqv, t.type == Tok::Ident && t.kw == Kw::Imp, Op::Imp)
BINARY_LEVEL(parseEqv, parseXor, t.type == Tok::Ident && t.kw == Kw::Eqv, Op::Eqv)
BINARY_LEVEL(parseXor, parseOr, t.type == Tok::Ident && t.kw == Kw::Xor, Op::Xor)
BINARY_LEVEL(parseOr, parseAnd, t.type == Tok::Ident && t.kw == Kw::Or, Op::Or)
BINARY_LEVEL(parseAnd, parseNot, t.type == Tok::Ident && t.kw == Kw::And, Op::And)
BINARY_LEVEL(parseConcat, parseAdd, t.type == Tok::Amp, Op::Concat)
BINARY_LEVEL(parseAdd, parseMod, t.type == Tok::Plus || t.type == Tok::Minus,
             t.type == Tok::Plus ? Op::Add : Op::Sub)
BINARY_LEVEL(parseMod, parseIntDiv, t.type == Tok::Ident && t.kw == Kw::Mod, Op::Mod)
BINARY_LEVEL(parseIntDiv, parseMul, t.type == Tok::Backslash, Op::IntDiv)
BINARY_LEVEL(parseMul, parseUnary, t.type == Tok::Star || t.type == Tok::Slash,
             t.type == Tok::Star ? Op::Mul : Op::Div)

#undef BINARY_LEVEL

ExprPtr Parser::parseNot()
{
    if (atKw(Kw::Not)) {
        DepthGuard guard(m_depth, peek());
        const int line = next().line;
        ExprPtr e = std::make_unique<UnaryExpr>(Op::Not, parseNot());
        e->line = line;
        checkDepth(e.get());
        return e;
    }
    return parseCompare();
}

ExprPtr Parser::parseCompare()
{
    ExprPtr left = parseConcat();
    for (;;) {
        const Token &t = peek();
        Op op;
        switch (t.type) {
        case Tok::Eq: op = Op::Eq; break;
        case Tok::Ne: op = Op::Ne; break;
        case Tok::Lt: op = Op::Lt; break;
        case Tok::Gt: op = Op::Gt; break;
        case Tok::Le: op = Op::Le; break;
        case Tok::Ge: op = Op::Ge; break;
        case Tok::Ident:
            if (t.kw == Kw::Is) {
                const int line = t.line;
                next();
                ExprPtr right = parseConcat();
                left = std::make_unique<IsExpr>(std::move(left), std::move(right));
                left->line = line;
                checkDepth(left.get());
                continue;
            }
            return left;
        default:
            return left;
        }
        const int line = t.line;
        next();
        ExprPtr right = parseConcat();
        left = std::make_unique<CompareExpr>(op, std::move(left), std::move(right));
        left->line = line;
        checkDepth(left.get());
    }
}

ExprPtr Parser::parseUnary()
{
    const Token &t = peek();
    if (t.type == Tok::Minus || t.type == Tok::Plus) {
        DepthGuard guard(m_depth, t);
        const bool neg = t.type == Tok::Minus;
        next();
        ExprPtr operand = parseUnary();
        if (!neg)
            return operand;
        const bool lit = operand->literal;
        if (operand->kind == Expr::Kind::Literal) {
            // fold -literal so that -32768 stays an Integer literal
            try {
                Variant v = opNeg(static_cast<LiteralExpr *>(operand.get())->value);
                if (v.type() == VType::Long && v.longValue() == -32768)
                    v = Variant(int16_t(-32768));
                if (v.type() == VType::Double && v.doubleValue() == -2147483648.0)
                    v = Variant(int32_t(INT32_MIN));
                return std::make_unique<LiteralExpr>(std::move(v));
            } catch (const ScriptError &) {
            }
        }
        ExprPtr e = std::make_unique<UnaryExpr>(Op::Neg, std::move(operand));
        e->literal = lit;
        checkDepth(e.get());
        return e;
    }
    return parsePow();
}

ExprPtr Parser::parsePow()
{
    ExprPtr left = parsePostfix();
    while (peek().type == Tok::Caret) {
        const int line = next().line;
        // the exponent may carry its own sign: 2 ^ -1
        ExprPtr right;
        if (peek().type == Tok::Minus || peek().type == Tok::Plus) {
            DepthGuard guard(m_depth, peek());
            const bool neg = next().type == Tok::Minus;
            right = parsePostfix();
            if (neg)
                right = std::make_unique<UnaryExpr>(Op::Neg, std::move(right));
        } else {
            right = parsePostfix();
        }
        left = std::make_unique<BinaryExpr>(Op::Pow, std::move(left), std::move(right));
        left->line = line;
        checkDepth(left.get());
    }
    return left;
}

void Parser::parseArgList(ExprList &args)
{
    // after '('
    if (accept(Tok::RParen))
        return;
    for (;;) {
        if (peek().type == Tok::Comma) {
            args.push_back(nullptr);
            next();
            continue;
        }
        if (peek().type == Tok::RParen) {
            args.push_back(nullptr);
            next();
            return;
        }
        args.push_back(parseExpr());
        if (accept(Tok::Comma))
            continue;
        expect(Tok::RParen, ErrExpectedRParen);
        return;
    }
}

ExprPtr Parser::parsePostfix(bool statementStart, int *lastParen)
{
    DepthGuard guard(m_depth, peek());
    // When re-parsing a statement's call target, stop before the group that
    // turned out to be the first argument.
    static thread_local int stopAt = -1;
    const int myStop = (statementStart && !lastParen) ? stopAt : -1;
    ExprPtr e;
    if (peek().type == Tok::Dot) {
        if (!m_withDepth)
            fail(ErrSyntax);
        next();
        auto m = std::make_unique<MemberExpr>();
        m->line = peek().line;
        m->name = expectName();
        e = std::move(m);
    } else {
        e = parsePrimary();
    }
    int groups = 0;
    for (;;) {
        const Token &t = peek();
        if (t.type == Tok::Dot && !(t.spaceBefore && m_withDepth > 0)) {
            next();
            auto m = std::make_unique<MemberExpr>();
            m->line = t.line;
            m->name = expectName();
            m->object = std::move(e);
            e = std::move(m);
            checkDepth(e.get());
            continue;
        }
        if (t.type == Tok::LParen) {
            if (myStop >= 0 && int(m_pos) == myStop)
                break;
            if (lastParen)
                *lastParen = int(m_pos);
            if (statementStart && lastParen)
                stopAt = int(m_pos);
            next();
            ++groups;
            if (e->kind == Expr::Kind::Member && !static_cast<MemberExpr *>(e.get())->hasArgs) {
                auto *m = static_cast<MemberExpr *>(e.get());
                m->hasArgs = true;
                parseArgList(m->args);
                checkDepth(e.get());
                continue;
            }
            if (e->kind != Expr::Kind::Ident && e->kind != Expr::Kind::Call && e->kind != Expr::Kind::Member
                && e->kind != Expr::Kind::Me)
                fail(ErrExpectedEndOfStatement);
            auto c = std::make_unique<CallExpr>();
            c->line = t.line;
            c->target = std::move(e);
            parseArgList(c->args);
            e = std::move(c);
            checkDepth(e.get());
            continue;
        }
        break;
    }
    if (lastParen && *lastParen >= 0 && int(m_pos) != 0) {
        // Only a group that ends the chain can be the first bare argument.
        const Token &prev = m_tokens[m_pos - 1];
        if (prev.type != Tok::RParen)
            *lastParen = -1;
    }
    return e;
}

ExprPtr Parser::parsePrimary()
{
    const Token &t = peek();
    switch (t.type) {
    case Tok::Number:
    case Tok::String:
    case Tok::Date: {
        next();
        auto e = std::make_unique<LiteralExpr>(t.value);
        e->line = t.line;
        return e;
    }
    case Tok::LParen: {
        next();
        ExprPtr inner = parseExpr();
        expect(Tok::RParen, ErrExpectedRParen);
        ExprPtr e = std::make_unique<ParenExpr>(std::move(inner));
        checkDepth(e.get());
        return e;
    }
    case Tok::Ident:
        switch (t.kw) {
        case Kw::True: next(); return std::make_unique<LiteralExpr>(Variant(true));
        case Kw::False: next(); return std::make_unique<LiteralExpr>(Variant(false));
        case Kw::Empty: next(); return std::make_unique<LiteralExpr>(Variant());
        case Kw::Null: next(); return std::make_unique<LiteralExpr>(Variant::null());
        case Kw::Nothing: next(); return std::make_unique<LiteralExpr>(Variant::nothing());
        case Kw::Me: {
            if (!m_class && !m_proc)
                ; // Me at top level fails at run time (no object)
            next();
            auto e = std::make_unique<MeExpr>();
            e->line = t.line;
            return e;
        }
        case Kw::New: {
            next();
            if (peek().type != Tok::Ident)
                fail(ErrExpectedIdentifier);
            auto e = std::make_unique<NewExpr>();
            e->line = t.line;
            const Token &n = next();
            e->className = n.lower;
            return e;
        }
        case Kw::None:
        case Kw::Error:
        case Kw::Explicit:
        case Kw::Preserve:
        case Kw::Get:
        case Kw::Default:
            next();
            return makeIdent(t);
        default:
            fail(ErrExpectedExpression);
        }
    default:
        fail(ErrExpectedExpression);
    }
}

} // namespace vbs

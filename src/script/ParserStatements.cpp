// Statements: If, loops, Select, With, Dim, Const, Exit, On Error, assignment and calls.

#include "Parser.h"
#include "ParserDepth.h"

#include <cmath>

namespace vbs {

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
        // Procedures and classes may be declared inside blocks (pages include
        // files inside "If"); like every declaration they exist from the start.
        case Kw::Sub:
        case Kw::Function:
            if (m_proc || singleLine)
                fail(ErrExpectedStatement);
            parseProcedure(t.kw == Kw::Sub ? Procedure::Kind::Sub : Procedure::Kind::Function, true, false, nullptr);
            break;
        case Kw::Class:
            if (m_proc || singleLine)
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
            if (!isName(peek()))
                fail(ErrExpectedIdentifier);
            e->var = makeIdent(next());
            s = std::move(e);
            break;
        }
        case Kw::Stop:
            next();
            break;
        case Kw::Property:
            if (atKw(Kw::Get, 1) || atKw(Kw::Let, 1) || atKw(Kw::Set, 1))
                fail(ErrMustBeInClass);
            [[fallthrough]];
        case Kw::None:
        case Kw::Me:
        case Kw::Default:
        case Kw::Error:
        case Kw::Explicit:
        case Kw::Step: {
            const bool plainArgsFollow = peek(1).type != Tok::Eq && peek(1).type != Tok::Dot
                && !(peek(1).type == Tok::LParen && !peek(1).spaceBefore);
            if (t.lower == QLatin1String("randomize") && plainArgsFollow) {
                next();
                auto r = std::make_unique<RandomizeStmt>();
                if (!atStatementStop())
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
    s->blocks.emplace_back();
    if (peek().type == Tok::Newline) {
        if (peek().text != QLatin1String(":"))
            return s; // "If c Then :" and the line ends: nothing to do
        next();       // "If c Then : stmt" continues on the line
    }
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
        if (!isName(peek()))
            fail(ErrInvalidForVariable);
        s->var = makeIdent(next());
        expectKw(Kw::In, ErrExpectedIn);
        s->collection = parseExpr();
        expectEndOfStatement();
        ++m_loopFor;
        parseBlock(s->body);
        --m_loopFor;
        expectKw(Kw::Next, ErrExpectedNext);
        if (isName(peek()))
            next();
        return s;
    }
    auto s = std::make_unique<ForStmt>();
    if (!isName(peek()))
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
    if (isName(peek()))
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
        if (!isName(peek()))
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
        if (!isName(peek()))
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
    int spacedParen = -1;
    ExprPtr target = parsePostfix(true, &lastParen, &spacedParen);
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
    // "obj.Method (a)(b)" or "f (a).b": a group after a blank that does not
    // end the statement starts the arguments.
    if (!isCall && spacedParen > int(start) && spacedParen != lastParen) {
        target.reset();
        m_scope->idents.resize(identMark);
        m_pos = start;
        m_stopAt = spacedParen;
        target = parsePostfix(true, nullptr);
        m_stopAt = -1;
        parseBareArgs(s->args);
        s->target = std::move(target);
        return s;
    }
    if (atStatementStop()) {
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
        m_stopAt = lastParen;
        target = parsePostfix(true, nullptr);
        m_stopAt = -1;
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
        if (atStatementStop())
            break;
        args.push_back(parseExpr());
        if (!accept(Tok::Comma))
            break;
        if (atEndOfStatement())
            args.push_back(nullptr);
    }
    if (!atStatementStop())
        fail(ErrExpectedEndOfStatement);
}

} // namespace vbs

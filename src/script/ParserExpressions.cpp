// Expressions, by operator precedence from Imp down to the primaries.

#include "Parser.h"
#include "ParserDepth.h"

#include <cmath>

namespace vbs {

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
BINARY_LEVEL(parseMul, parsePow, t.type == Tok::Star || t.type == Tok::Slash,
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
    return parsePostfix();
}

// VBScript's negation binds tighter than ^: -2 ^ 2 is 4, 2 ^ -1 is 0.5.
ExprPtr Parser::parsePow()
{
    ExprPtr left = parseUnary();
    while (peek().type == Tok::Caret) {
        const int line = next().line;
        ExprPtr right = parseUnary();
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

ExprPtr Parser::parsePostfix(bool statementStart, int *lastParen, int *spacedParen)
{
    DepthGuard guard(m_depth, peek());
    // When re-parsing a statement's call target, stop before the group that
    // turned out to be the first argument.
    const int myStop = (statementStart && !lastParen) ? m_stopAt : -1;
    ExprPtr e;
    if (peek().type == Tok::Dot) {
        // outside With this fails when it runs (505), as VBScript does
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
            if (spacedParen && *spacedParen < 0 && t.spaceBefore
                && (e->kind == Expr::Kind::Ident
                    || (e->kind == Expr::Kind::Member && !static_cast<MemberExpr *>(e.get())->hasArgs)))
                *spacedParen = int(m_pos);
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
                && e->kind != Expr::Kind::Me && e->kind != Expr::Kind::Paren)
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
        case Kw::Me: { // at top level Me fails at run time (no object)
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
        case Kw::Property:
        case Kw::Step:
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

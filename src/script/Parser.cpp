#include "Parser.h"
#include "ParserDepth.h"

#include <cmath>

namespace vbs {

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

bool Parser::atStatementStop() const
{
    return atEndOfStatement() || atKw(Kw::Else) || atKw(Kw::End);
}

bool Parser::isName(const Token &t)
{
    if (t.type != Tok::Ident)
        return false;
    switch (t.kw) {
    case Kw::None: case Kw::Default: case Kw::Error: case Kw::Explicit: case Kw::Property: case Kw::Step:
        return true;
    default:
        return false;
    }
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
            if (atStatementStop())
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

} // namespace vbs

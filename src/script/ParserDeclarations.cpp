// Declarations: Sub, Function, Property and Class.

#include "Parser.h"
#include "ParserDepth.h"

#include <cmath>

namespace vbs {

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
                if (!isName(peek()))
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
    // "Sub s() x = 1 End Sub": statements may follow the header on its line.
    if (!atEndOfStatement())
        parseBlock(proc->body, true);
    if (!atKw(Kw::End)) {
        expectEndOfStatement();
        parseBlock(proc->body);
    }
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
        if (!isName(peek()))
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
    if (!isName(peek()))
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

} // namespace vbs

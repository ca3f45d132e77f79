#pragma once

#include "Ast.h"
#include "Lexer.h"

#include <memory>

namespace vbs {

// Turns a script into a Unit: statements, procedures and classes, with every
// identifier recorded in the scope that uses it (bound later by the
// interpreter). Raises compile errors as ScriptError with compile = true.
class Parser {
public:
    // Parses a whole script (statements, procedures, classes).
    static std::unique_ptr<Unit> parseProgram(const QString &source, int firstLine = 1);
    // Parses one expression (Eval).
    static std::unique_ptr<Unit> parseExpression(const QString &source);

private:
    explicit Parser(std::vector<Token> tokens);

    const Token &peek(int ahead = 0) const;
    const Token &next();
    bool atKw(Kw k, int ahead = 0) const;
    bool acceptKw(Kw k);
    bool accept(Tok t);
    void expectKw(Kw k, int error);
    void expect(Tok t, int error);
    bool atEndOfStatement() const;
    void expectEndOfStatement();
    void skipNewlines();
    [[noreturn]] void fail(int number) const;
    [[noreturn]] void failAt(int number, const Token &t) const;
    QString expectName(); // identifier (keywords allowed where the language allows them)

    void parseTopLevel();
    void parseBlock(Block &into, bool singleLine = false);
    StmtPtr parseStatement(bool singleLine);
    bool atBlockEnd() const;
    StmtPtr parseIf();
    StmtPtr parseFor();
    StmtPtr parseDo();
    StmtPtr parseWhile();
    StmtPtr parseSelect();
    StmtPtr parseWith();
    StmtPtr parseDim(bool redim);
    StmtPtr parseConst(bool topLevel);
    StmtPtr parseExit();
    StmtPtr parseOnError();
    StmtPtr parseAssignOrCall(bool isSet, bool isCall);
    void parseProcedure(Procedure::Kind kind, bool isPublic, bool isDefault, ClassInfo *cls);
    void parseClass();
    void parseClassVarDecl(ClassInfo *cls, bool isPublic);

    ExprPtr parseExpr();
    ExprPtr parseImp();
    ExprPtr parseEqv();
    ExprPtr parseXor();
    ExprPtr parseOr();
    ExprPtr parseAnd();
    ExprPtr parseNot();
    ExprPtr parseCompare();
    ExprPtr parseConcat();
    ExprPtr parseAdd();
    ExprPtr parseMod();
    ExprPtr parseIntDiv();
    ExprPtr parseMul();
    ExprPtr parseUnary();
    ExprPtr parsePow();
    ExprPtr parsePostfix(bool statementStart = false, int *lastParen = nullptr);
    ExprPtr parsePrimary();
    void parseArgList(ExprList &args); // after '(' up to ')'
    void parseBareArgs(ExprList &args); // statement call without parentheses
    std::unique_ptr<IdentExpr> makeIdent(const Token &t);
    bool foldConstant(Expr *e, Variant &out);
    void checkDepth(Expr *e) const; // sets e->depth; too deep is a compile error

    std::vector<Token> m_tokens;
    size_t m_pos = 0;
    std::unique_ptr<Unit> m_unit;
    Scope *m_scope = nullptr;
    Procedure *m_proc = nullptr;
    ClassInfo *m_class = nullptr;
    int m_depth = 0;
    int m_withDepth = 0;
    int m_loopFor = 0;
    int m_loopDo = 0;
};

} // namespace vbs

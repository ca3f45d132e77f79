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
    // End of a statement inside a line: the line's end, ':', Else, or the
    // End of a single-line If or one-line procedure.
    bool atStatementStop() const;
    // A name token: an identifier, or one of the keywords VBScript also
    // accepts as a name (Default, Error, Explicit, Property, Step).
    static bool isName(const Token &t);
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
    // statementStart: the target of a call or assignment statement; lastParen
    // receives the position of a group that ends the chain, spacedParen the
    // first group written after a blank ("obj.Method (a)(b)": the arguments).
    ExprPtr parsePostfix(bool statementStart = false, int *lastParen = nullptr, int *spacedParen = nullptr);
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
    int m_stopAt = -1; // re-parsing a call target: stop before this group
};

} // namespace vbs

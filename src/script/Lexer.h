#pragma once

#include "Variant.h"

#include <QString>

#include <vector>

namespace vbs {

enum class Tok : uint8_t {
    End,        // end of text
    Newline,    // end of statement: line end or ':'
    Ident,      // identifier or keyword (see Kw)
    Number,     // numeric literal (value)
    String,     // string literal (value)
    Date,       // #date# literal (value)
    LParen, RParen, Comma, Dot,
    Plus, Minus, Star, Slash, Backslash, Caret, Amp,
    Eq, Ne, Lt, Gt, Le, Ge,
};

// Keywords; None for a plain identifier. Keywords that can also name members
// (obj.Step, rs.Close) are told apart by the parser from the context.
enum class Kw : uint8_t {
    None, And, ByRef, ByVal, Call, Case, Class, Const, Default, Dim, Do, Each, Else, ElseIf,
    Empty, End, Eqv, Erase, Error, Exit, Explicit, False, For, Function, Get, GoTo, If, Imp,
    In, Is, Let, Loop, Me, Mod, New, Next, Not, Nothing, Null, On, Option, Or, Preserve,
    Private, Property, Public, ReDim, Resume, Select, Set, Step, Stop, Sub, Then, To, True,
    Until, Wend, While, With, Xor,
};

struct Token {
    Tok type = Tok::End;
    Kw kw = Kw::None;
    bool spaceBefore = false; // blank between this token and the previous one
    int line = 1;
    int column = 1;
    QString text;   // identifier as written
    QString lower;  // identifier in lower case
    Variant value;  // literal value
};

// Splits a script into tokens. Raises compile errors (ScriptError with
// compile = true and the line) for bad characters, strings and numbers.
std::vector<Token> tokenize(const QString &source, int firstLine = 1);

} // namespace vbs

#include "Lexer.h"

#include <QHash>

#include <cmath>

namespace vbs {

namespace {

const QHash<QString, Kw> &keywords()
{
    static const QHash<QString, Kw> table = {
        {QStringLiteral("and"), Kw::And}, {QStringLiteral("byref"), Kw::ByRef},
        {QStringLiteral("byval"), Kw::ByVal}, {QStringLiteral("call"), Kw::Call},
        {QStringLiteral("case"), Kw::Case}, {QStringLiteral("class"), Kw::Class},
        {QStringLiteral("const"), Kw::Const}, {QStringLiteral("default"), Kw::Default},
        {QStringLiteral("dim"), Kw::Dim}, {QStringLiteral("do"), Kw::Do},
        {QStringLiteral("each"), Kw::Each}, {QStringLiteral("else"), Kw::Else},
        {QStringLiteral("elseif"), Kw::ElseIf}, {QStringLiteral("empty"), Kw::Empty},
        {QStringLiteral("end"), Kw::End}, {QStringLiteral("eqv"), Kw::Eqv},
        {QStringLiteral("erase"), Kw::Erase}, {QStringLiteral("error"), Kw::Error},
        {QStringLiteral("exit"), Kw::Exit}, {QStringLiteral("explicit"), Kw::Explicit},
        {QStringLiteral("false"), Kw::False}, {QStringLiteral("for"), Kw::For},
        {QStringLiteral("function"), Kw::Function}, {QStringLiteral("get"), Kw::Get},
        {QStringLiteral("goto"), Kw::GoTo}, {QStringLiteral("if"), Kw::If},
        {QStringLiteral("imp"), Kw::Imp}, {QStringLiteral("in"), Kw::In},
        {QStringLiteral("is"), Kw::Is}, {QStringLiteral("let"), Kw::Let},
        {QStringLiteral("loop"), Kw::Loop}, {QStringLiteral("me"), Kw::Me},
        {QStringLiteral("mod"), Kw::Mod}, {QStringLiteral("new"), Kw::New},
        {QStringLiteral("next"), Kw::Next}, {QStringLiteral("not"), Kw::Not},
        {QStringLiteral("nothing"), Kw::Nothing}, {QStringLiteral("null"), Kw::Null},
        {QStringLiteral("on"), Kw::On}, {QStringLiteral("option"), Kw::Option},
        {QStringLiteral("or"), Kw::Or}, {QStringLiteral("preserve"), Kw::Preserve},
        {QStringLiteral("private"), Kw::Private}, {QStringLiteral("property"), Kw::Property},
        {QStringLiteral("public"), Kw::Public}, {QStringLiteral("redim"), Kw::ReDim},
        {QStringLiteral("resume"), Kw::Resume}, {QStringLiteral("select"), Kw::Select},
        {QStringLiteral("set"), Kw::Set}, {QStringLiteral("step"), Kw::Step},
        {QStringLiteral("stop"), Kw::Stop}, {QStringLiteral("sub"), Kw::Sub},
        {QStringLiteral("then"), Kw::Then}, {QStringLiteral("to"), Kw::To},
        {QStringLiteral("true"), Kw::True}, {QStringLiteral("until"), Kw::Until},
        {QStringLiteral("wend"), Kw::Wend}, {QStringLiteral("while"), Kw::While},
        {QStringLiteral("with"), Kw::With}, {QStringLiteral("xor"), Kw::Xor},
    };
    return table;
}

[[noreturn]] void fail(int number, int line, int column)
{
    ScriptError e(number);
    e.compile = true;
    e.line = line;
    e.column = column;
    throw e;
}

bool isIdentStart(QChar c)
{
    return c.isLetter();
}

bool isIdentChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

} // namespace

std::vector<Token> tokenize(const QString &src, int firstLine)
{
    std::vector<Token> out;
    out.reserve(size_t(src.size() / 3 + 4));
    const int n = int(src.size());
    int i = 0;
    int line = firstLine;
    int lineStart = 0;
    bool space = false;

    auto push = [&](Tok t, int start) -> Token & {
        Token tok;
        tok.type = t;
        tok.line = line;
        tok.column = start - lineStart + 1;
        tok.spaceBefore = space;
        space = false;
        out.push_back(std::move(tok));
        return out.back();
    };
    // A Newline token made only of ':' separators has the text ":" (single-line If
    // continues across them); a real line end clears it.
    auto newline = [&](int start, bool colon = false) {
        if (out.empty() || out.back().type != Tok::Newline) {
            push(Tok::Newline, start).text = colon ? QStringLiteral(":") : QString();
        } else if (!colon) {
            out.back().text.clear();
        }
    };
    auto skipToLineEnd = [&] {
        while (i < n && src[i] != QLatin1Char('\n') && src[i] != QLatin1Char('\r'))
            ++i;
    };

    while (i < n) {
        const QChar c = src[i];
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c.unicode() == 0xA0 || c == QLatin1Char('\f')
            || c == QLatin1Char('\v') || c.unicode() == 0) {
            space = true;
            ++i;
            continue;
        }
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            newline(i);
            if (c == QLatin1Char('\r') && i + 1 < n && src[i + 1] == QLatin1Char('\n'))
                ++i;
            ++i;
            ++line;
            lineStart = i;
            space = false;
            continue;
        }
        if (c == QLatin1Char('\'')) {
            skipToLineEnd();
            continue;
        }
        if (c == QLatin1Char(':')) {
            newline(i, true);
            ++i;
            continue;
        }
        if (c == QLatin1Char('_')) {
            // Line continuation: '_' then only blanks up to the line end.
            int j = i + 1;
            while (j < n && (src[j] == QLatin1Char(' ') || src[j] == QLatin1Char('\t')))
                ++j;
            if (j >= n || src[j] == QLatin1Char('\r') || src[j] == QLatin1Char('\n')) {
                if (j < n && src[j] == QLatin1Char('\r') && j + 1 < n && src[j + 1] == QLatin1Char('\n'))
                    ++j;
                i = j + 1;
                ++line;
                lineStart = i;
                space = true;
                continue;
            }
            fail(ErrInvalidCharacter, line, i - lineStart + 1);
        }
        const int start = i;
        if (c == QLatin1Char('"')) {
            QString s;
            ++i;
            for (;;) {
                if (i >= n || src[i] == QLatin1Char('\r') || src[i] == QLatin1Char('\n'))
                    fail(ErrUnterminatedString, line, start - lineStart + 1);
                if (src[i] == QLatin1Char('"')) {
                    if (i + 1 < n && src[i + 1] == QLatin1Char('"')) {
                        s += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                s += src[i++];
            }
            push(Tok::String, start).value = Variant(std::move(s));
            continue;
        }
        if (c == QLatin1Char('#')) {
            int j = i + 1;
            while (j < n && src[j] != QLatin1Char('#') && src[j] != QLatin1Char('\r') && src[j] != QLatin1Char('\n'))
                ++j;
            if (j >= n || src[j] != QLatin1Char('#'))
                fail(ErrSyntax, line, start - lineStart + 1);
            const QString text = src.mid(i + 1, j - i - 1);
            // Date literals are always written month/day/year.
            const ScriptLocale saved = currentLocale();
            setCurrentLocale(ScriptLocale::forLcid(1033));
            double d = 0;
            const bool ok = parseDate(text, d);
            setCurrentLocale(saved);
            if (!ok)
                fail(ErrSyntax, line, start - lineStart + 1);
            i = j + 1;
            push(Tok::Date, start).value = Variant::date(d);
            continue;
        }
        if (c == QLatin1Char('&') && i + 1 < n
            && (src[i + 1] == QLatin1Char('h') || src[i + 1] == QLatin1Char('H') || src[i + 1] == QLatin1Char('o')
                || src[i + 1] == QLatin1Char('O'))) {
            const bool hex = src[i + 1].toLower() == QLatin1Char('h');
            int j = i + 2;
            uint64_t v = 0;
            int digits = 0;
            while (j < n) {
                const QChar d = src[j].toLower();
                int k = -1;
                if (d >= QLatin1Char('0') && d <= QLatin1Char('9'))
                    k = d.unicode() - '0';
                else if (hex && d >= QLatin1Char('a') && d <= QLatin1Char('f'))
                    k = d.unicode() - 'a' + 10;
                if (k < 0 || (!hex && k > 7))
                    break;
                v = v * (hex ? 16 : 8) + k;
                if (v > 0xFFFFFFFFull)
                    fail(ErrInvalidNumber, line, start - lineStart + 1);
                ++digits;
                ++j;
            }
            if (digits == 0) {
                // plain '&' followed by an identifier starting with h/o
                ++i;
                push(Tok::Amp, start);
                continue;
            }
            bool longSuffix = false;
            if (j < n && src[j] == QLatin1Char('&')) {
                longSuffix = true;
                ++j;
            }
            Variant value;
            if (!longSuffix && v <= 0xFFFF)
                value = Variant(int16_t(uint16_t(v)));
            else
                value = Variant(int32_t(uint32_t(v)));
            i = j;
            push(Tok::Number, start).value = value;
            continue;
        }
        const bool dotNumber = c == QLatin1Char('.') && i + 1 < n && src[i + 1].isDigit()
            && (out.empty() || space
                || (out.back().type != Tok::Ident && out.back().type != Tok::RParen));
        if (c.isDigit() || dotNumber) {
            int j = i;
            bool isFloat = false;
            while (j < n && src[j].isDigit())
                ++j;
            if (j < n && src[j] == QLatin1Char('.') && (j + 1 >= n || src[j + 1].isDigit() || !isIdentStart(src[j + 1]))) {
                isFloat = true;
                ++j;
                while (j < n && src[j].isDigit())
                    ++j;
            }
            if (j < n && (src[j] == QLatin1Char('e') || src[j] == QLatin1Char('E'))) {
                int k = j + 1;
                if (k < n && (src[k] == QLatin1Char('+') || src[k] == QLatin1Char('-')))
                    ++k;
                if (k < n && src[k].isDigit()) {
                    isFloat = true;
                    j = k;
                    while (j < n && src[j].isDigit())
                        ++j;
                }
            }
            const QString text = src.mid(i, j - i);
            if (j < n && isIdentChar(src[j]))
                fail(ErrExpectedEndOfStatement, line, j - lineStart + 1);
            bool ok = false;
            const double d = text.toDouble(&ok);
            if (!ok || !std::isfinite(d))
                fail(ErrInvalidNumber, line, start - lineStart + 1);
            Variant value;
            if (!isFloat && d <= 32767)
                value = Variant(int16_t(d));
            else if (!isFloat && d <= 2147483647.0)
                value = Variant(int32_t(d));
            else
                value = Variant(d);
            i = j;
            push(Tok::Number, start).value = value;
            continue;
        }
        if (isIdentStart(c) || c == QLatin1Char('[')) {
            QString name;
            if (c == QLatin1Char('[')) {
                int j = i + 1;
                while (j < n && src[j] != QLatin1Char(']') && src[j] != QLatin1Char('\n') && src[j] != QLatin1Char('\r'))
                    ++j;
                if (j >= n || src[j] != QLatin1Char(']'))
                    fail(ErrInvalidCharacter, line, start - lineStart + 1);
                name = src.mid(i + 1, j - i - 1);
                i = j + 1;
                Token &t = push(Tok::Ident, start);
                t.text = name;
                t.lower = name.toLower();
                continue;
            }
            int j = i + 1;
            while (j < n && isIdentChar(src[j]))
                ++j;
            name = src.mid(i, j - i);
            if (name.size() > 255)
                fail(1030, line, start - lineStart + 1);
            i = j;
            QString lower = name.toLower();
            if (lower == QLatin1String("rem")
                && (out.empty() || out.back().type == Tok::Newline)) {
                skipToLineEnd();
                continue;
            }
            Token &t = push(Tok::Ident, start);
            const auto it = keywords().constFind(lower);
            if (it != keywords().constEnd())
                t.kw = *it;
            t.text = std::move(name);
            t.lower = std::move(lower);
            continue;
        }
        ++i;
        Tok t;
        switch (c.unicode()) {
        case '(': t = Tok::LParen; break;
        case ')': t = Tok::RParen; break;
        case ',': t = Tok::Comma; break;
        case '.': t = Tok::Dot; break;
        case '+': t = Tok::Plus; break;
        case '-': t = Tok::Minus; break;
        case '*': t = Tok::Star; break;
        case '/': t = Tok::Slash; break;
        case '\\': t = Tok::Backslash; break;
        case '^': t = Tok::Caret; break;
        case '&': t = Tok::Amp; break;
        case '=':
            t = Tok::Eq;
            if (i < n && src[i] == QLatin1Char('<')) { t = Tok::Le; ++i; }
            else if (i < n && src[i] == QLatin1Char('>')) { t = Tok::Ge; ++i; }
            break;
        case '<':
            t = Tok::Lt;
            if (i < n && src[i] == QLatin1Char('>')) { t = Tok::Ne; ++i; }
            else if (i < n && src[i] == QLatin1Char('=')) { t = Tok::Le; ++i; }
            break;
        case '>':
            t = Tok::Gt;
            if (i < n && src[i] == QLatin1Char('=')) { t = Tok::Ge; ++i; }
            else if (i < n && src[i] == QLatin1Char('<')) { t = Tok::Ne; ++i; }
            break;
        default:
            fail(ErrInvalidCharacter, line, start - lineStart + 1);
        }
        push(t, start);
    }
    newline(n);
    push(Tok::End, n);
    return out;
}

} // namespace vbs

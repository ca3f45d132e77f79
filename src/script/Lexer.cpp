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

// Turns the text into tokens one construct at a time; each scan* helper
// starts at the first character of its construct and leaves pos after it.
class Scanner {
public:
    Scanner(const QString &src, int firstLine) : src(src), n(int(src.size())), line(firstLine)
    {
        out.reserve(size_t(src.size() / 3 + 4));
    }

    std::vector<Token> run()
    {
        while (pos < n)
            scanOne();
        newline(n);
        push(Tok::End, n);
        return std::move(out);
    }

private:
    const QString &src;
    const int n;
    std::vector<Token> out;
    int pos = 0;
    int line;
    int lineStart = 0;
    bool space = false; // a blank since the last token

    QChar at(int i) const { return i < n ? src[i] : QChar(); }
    bool isLineEnd(int i) const { return i < n && (src[i] == QLatin1Char('\r') || src[i] == QLatin1Char('\n')); }
    int column(int i) const { return i - lineStart + 1; }
    [[noreturn]] void failAt(int number, int i) const { fail(number, line, column(i)); }

    Token &push(Tok t, int start)
    {
        Token tok;
        tok.type = t;
        tok.line = line;
        tok.column = column(start);
        tok.spaceBefore = space;
        space = false;
        out.push_back(std::move(tok));
        return out.back();
    }

    // The text of a Newline token tells the single-line If what ended the
    // statement: ":" for separators only (the If goes on across them), ":\n"
    // for separators then the line end ("If c Then :" is a whole, empty If),
    // "" for a line end alone.
    void newline(int start, bool colon = false)
    {
        if (out.empty() || out.back().type != Tok::Newline)
            push(Tok::Newline, start).text = colon ? QStringLiteral(":") : QString();
        else if (!colon && out.back().text == QLatin1String(":"))
            out.back().text = QStringLiteral(":\n");
    }

    void skipToLineEnd()
    {
        while (pos < n && !isLineEnd(pos))
            ++pos;
    }

    // Moves past a line end at i (CR, LF or CR LF) to the start of the next line.
    void nextLine(int i)
    {
        if (src[i] == QLatin1Char('\r') && i + 1 < n && src[i + 1] == QLatin1Char('\n'))
            ++i;
        pos = i + 1;
        ++line;
        lineStart = pos;
    }

    static bool isBlank(QChar c)
    {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c.unicode() == 0xA0 || c == QLatin1Char('\f')
            || c == QLatin1Char('\v') || c.unicode() == 0;
    }

    void scanOne()
    {
        const QChar c = src[pos];
        if (isBlank(c)) {
            space = true;
            ++pos;
        } else if (isLineEnd(pos)) {
            newline(pos);
            nextLine(pos);
            space = false;
        } else if (c == QLatin1Char('\'')) {
            skipToLineEnd();
        } else if (c == QLatin1Char(':')) {
            newline(pos, true);
            ++pos;
        } else if (c == QLatin1Char('_')) {
            scanContinuation();
        } else if (c == QLatin1Char('"')) {
            scanString();
        } else if (c == QLatin1Char('#')) {
            scanDate();
        } else if (c == QLatin1Char('&') && (at(pos + 1).toLower() == QLatin1Char('h') || at(pos + 1).toLower() == QLatin1Char('o'))) {
            scanRadixNumber();
        } else if (c.isDigit() || startsDotNumber()) {
            scanNumber();
        } else if (c == QLatin1Char('[')) {
            scanBracketName();
        } else if (isIdentStart(c)) {
            scanName();
        } else {
            scanPunctuation();
        }
    }

    // Line continuation: '_' then only blanks up to the line end.
    void scanContinuation()
    {
        int j = pos + 1;
        while (j < n && (src[j] == QLatin1Char(' ') || src[j] == QLatin1Char('\t')))
            ++j;
        if (j < n && !isLineEnd(j))
            failAt(ErrInvalidCharacter, pos);
        if (j < n) {
            nextLine(j);
            // Blank lines right after a continuation do not end the statement.
            for (;;) {
                int k = pos;
                while (k < n && (src[k] == QLatin1Char(' ') || src[k] == QLatin1Char('\t')))
                    ++k;
                if (k >= n || !isLineEnd(k))
                    break;
                nextLine(k);
            }
        } else {
            pos = n;
            ++line;
            lineStart = n + 1;
        }
        space = true;
    }

    void scanString()
    {
        const int start = pos;
        QString s;
        ++pos;
        for (;;) {
            if (pos >= n || isLineEnd(pos))
                failAt(ErrUnterminatedString, start);
            if (src[pos] == QLatin1Char('"')) {
                if (at(pos + 1) == QLatin1Char('"')) {
                    s += QLatin1Char('"');
                    pos += 2;
                    continue;
                }
                ++pos;
                break;
            }
            s += src[pos++];
        }
        push(Tok::String, start).value = Variant(std::move(s));
    }

    void scanDate()
    {
        const int start = pos;
        int j = pos + 1;
        while (j < n && src[j] != QLatin1Char('#') && !isLineEnd(j))
            ++j;
        if (j >= n || src[j] != QLatin1Char('#'))
            failAt(ErrSyntax, start);
        const QString text = src.mid(pos + 1, j - pos - 1);
        // Date literals are always written month/day/year.
        const ScriptLocale saved = currentLocale();
        setCurrentLocale(ScriptLocale::forLcid(1033));
        double d = 0;
        const bool ok = parseDate(text, d);
        setCurrentLocale(saved);
        if (!ok)
            failAt(ErrSyntax, start);
        pos = j + 1;
        push(Tok::Date, start).value = Variant::date(d);
    }

    // &hFF, &o17, with an optional '&' that makes the value a Long.
    void scanRadixNumber()
    {
        const int start = pos;
        const bool hex = src[pos + 1].toLower() == QLatin1Char('h');
        int j = pos + 2;
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
                failAt(ErrInvalidNumber, start);
            ++digits;
            ++j;
        }
        if (digits == 0) {
            // plain '&' followed by an identifier starting with h/o
            ++pos;
            push(Tok::Amp, start);
            return;
        }
        bool longSuffix = false;
        if (at(j) == QLatin1Char('&')) {
            longSuffix = true;
            ++j;
        }
        Variant value;
        if (!longSuffix && v <= 0xFFFF)
            value = Variant(int16_t(uint16_t(v)));
        else
            value = Variant(int32_t(uint32_t(v)));
        pos = j;
        push(Tok::Number, start).value = value;
    }

    // ".5" is a number unless it follows a name or ')' with no blank (a member).
    bool startsDotNumber() const
    {
        return src[pos] == QLatin1Char('.') && at(pos + 1).isDigit()
            && (out.empty() || space || (out.back().type != Tok::Ident && out.back().type != Tok::RParen));
    }

    void skipDigits(int &j) const
    {
        while (j < n && src[j].isDigit())
            ++j;
    }

    void scanNumber()
    {
        const int start = pos;
        int j = pos;
        bool isFloat = false;
        skipDigits(j);
        if (at(j) == QLatin1Char('.') && (j + 1 >= n || src[j + 1].isDigit() || !isIdentStart(src[j + 1]))) {
            isFloat = true;
            ++j;
            skipDigits(j);
        }
        if (at(j) == QLatin1Char('e') || at(j) == QLatin1Char('E')) {
            int k = j + 1;
            if (at(k) == QLatin1Char('+') || at(k) == QLatin1Char('-'))
                ++k;
            if (at(k).isDigit()) {
                isFloat = true;
                j = k;
                skipDigits(j);
            }
        }
        // A name may follow a number without a blank, as in "If x = 0Then".
        const QString text = src.mid(pos, j - pos);
        bool ok = false;
        const double d = text.toDouble(&ok);
        if (!ok || !std::isfinite(d))
            failAt(ErrInvalidNumber, start);
        Variant value;
        if (!isFloat && d <= 32767)
            value = Variant(int16_t(d));
        else if (!isFloat && d <= 2147483647.0)
            value = Variant(int32_t(d));
        else
            value = Variant(d);
        pos = j;
        push(Tok::Number, start).value = value;
    }

    // [any name]: an identifier that may hold blanks or be a keyword.
    void scanBracketName()
    {
        const int start = pos;
        int j = pos + 1;
        while (j < n && src[j] != QLatin1Char(']') && !isLineEnd(j))
            ++j;
        if (j >= n || src[j] != QLatin1Char(']'))
            failAt(ErrInvalidCharacter, start);
        const QString name = src.mid(pos + 1, j - pos - 1);
        pos = j + 1;
        Token &t = push(Tok::Ident, start);
        t.text = name;
        t.lower = name.toLower();
    }

    void scanName()
    {
        const int start = pos;
        int j = pos + 1;
        while (j < n && isIdentChar(src[j]))
            ++j;
        QString name = src.mid(pos, j - pos);
        if (name.size() > 255)
            failAt(1030, start);
        pos = j;
        QString lower = name.toLower();
        if (lower == QLatin1String("rem") && (out.empty() || out.back().type == Tok::Newline)) {
            skipToLineEnd();
            return;
        }
        Token &t = push(Tok::Ident, start);
        const auto it = keywords().constFind(lower);
        if (it != keywords().constEnd())
            t.kw = *it;
        t.text = std::move(name);
        t.lower = std::move(lower);
    }

    // Operators and punctuation, with the two-character comparisons
    // (<>, <=, >=, and the old forms =<, =>, ><).
    void scanPunctuation()
    {
        const int start = pos;
        const QChar c = src[pos++];
        auto follows = [&](char ch) {
            if (at(pos) != QLatin1Char(ch))
                return false;
            ++pos;
            return true;
        };
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
        case '=': t = follows('<') ? Tok::Le : follows('>') ? Tok::Ge : Tok::Eq; break;
        case '<': t = follows('>') ? Tok::Ne : follows('=') ? Tok::Le : Tok::Lt; break;
        case '>': t = follows('=') ? Tok::Ge : follows('<') ? Tok::Ne : Tok::Gt; break;
        default: failAt(ErrInvalidCharacter, start);
        }
        push(t, start);
    }
};

} // namespace

std::vector<Token> tokenize(const QString &source, int firstLine)
{
    return Scanner(source, firstLine).run();
}

} // namespace vbs

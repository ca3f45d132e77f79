#pragma once

#include <QString>

// The syntax of page files that the page processor reads before any script
// runs: line ends, include directives, blanks.
namespace preview::pagesyntax {

// A line ends at CR LF, at LF, or at a CR not followed by LF.
bool isLineBreak(const QString &text, qsizetype i);
int countLineBreaks(const QString &text, qsizetype from, qsizetype to);

// A blank between "<%" and "=" or "@".
inline bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// One include directive found in a text.
struct IncludeDirective {
    qsizetype start = -1;  // of "<!--"; -1 when none was found
    qsizetype end = -1;    // just after "-->"
    bool isVirtual = false;
    bool wellFormed = false;
    QString name;
};

// The next "<!-- #include ... -->" from position from (letters in any case,
// blanks anywhere between the parts) that lies outside code: inside "<% %>"
// a directive is code, as the server has always read it. inCode carries
// the state of the delimiters from one text to the next. A comment that
// names no file in double or single quotes is found but not well formed.
IncludeDirective findInclude(const QString &text, qsizetype from, bool &inCode);

} // namespace preview::pagesyntax

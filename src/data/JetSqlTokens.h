#pragma once

#include <QString>
#include <QVector>

// The tokens of Jet SQL text, for the translator (JetSql).
namespace jetsql {

enum class Tok { End, Word, Name, String, Number, Date, Symbol };

struct Token {
    Tok type = Tok::End;
    QString text;   // word/name/symbol text, string contents, number text;
                    // a #date# as "YYYY-MM-DD HH:MM:SS"
    QString upper;  // upper-case text of words, for keyword tests
    int pos = 0;
};

// Text that cannot be translated; the message says what and where.
class TranslateError {
public:
    explicit TranslateError(QString m) : message(std::move(m)) {}
    QString message;
};

// The tokens of `src`, ending with one of type End. Throws TranslateError
// for an unclosed string, name or date, a bad number or date, or a
// character that has no place in Jet SQL.
QVector<Token> tokenize(const QString &src);
// True for the keywords that cannot be bare names (upper-case text).
bool isReservedWord(const QString &upper);

} // namespace jetsql

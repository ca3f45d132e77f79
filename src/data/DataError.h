#pragma once

#include <QString>

#include <stdexcept>

// The one exception type of the data layer. Thrown when a statement cannot be
// translated, prepared or executed, when a database cannot be opened, when a
// record set is used in a state that does not allow the call (no current row,
// update without edit, ...), and when a database file operation fails.
// what() gives the full text: message, then the statement concerned.
class DataError : public std::runtime_error {
public:
    explicit DataError(const QString &message, const QString &statement = QString());

    // The bare message, without the statement.
    QString message() const { return m_message; }
    // The SQL (Jet or SQLite) or file involved; may be empty.
    QString statement() const { return m_statement; }

    // message + " [statement]" as one displayable text.
    QString text() const;

private:
    QString m_message;
    QString m_statement;
};

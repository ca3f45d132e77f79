#pragma once

#include <QString>

#include <memory>

class Database;
class Recordset;

// The texts the site shows around orders, one row per language: the sales
// conditions (kind 0, CondizioniVendita) and the customer notification
// (kind 1, NotificaCliente). A text is shown in the current language or,
// without a row for it, in the default language; it is stored under the
// language it was shown for, whose row is created when missing.
class OrderTexts {
public:
    enum Kind { SalesConditions = 0, CustomerNotification = 1 };

    OrderTexts(Database &db, int kind);
    ~OrderTexts();

    int kind() const { return m_kind; }

    // Reads the text for language (falling back to fallbackLanguage) and
    // remembers language as the one the text belongs to.
    QString load(const QString &language, const QString &fallbackLanguage);
    // The language the shown text is stored under.
    QString language() const { return m_language; }
    // The text as it was read (or last stored).
    QString storedText() const { return m_stored; }
    bool differs(const QString &text) const { return text != m_stored; }

    // Stores text under the remembered language when it differs from the
    // stored one; returns whether a row was written. Throws DataError.
    bool save(const QString &text);

private:
    int m_kind;
    std::unique_ptr<Recordset> m_set;
    QString m_language;
    QString m_stored;
};

#pragma once

#include <QList>
#include <QString>

class Database;

// The dictionary of site texts: one entry per code (DizionarioGen) and one
// text per entry and language (DizionarioLin). Codes are letters and digits,
// at most 20, stored in upper case and unique.
class DictionaryEntries {
public:
    static constexpr int MaxCodeLength = 20;
    static inline const QString AllowedCodeCharacters = QStringLiteral(
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWYXZ1234567890");

    struct Entry {
        int id = 0;
        QString code;
    };
    enum class CodeCheck { Ok, Empty, Duplicate };

    explicit DictionaryEntries(Database &db);

    // Every entry in table order.
    QList<Entry> entries() const;
    // The entry's text in language, or in fallbackLanguage when it has no
    // text in language (empty when it has neither).
    QString text(int id, const QString &language, const QString &fallbackLanguage) const;

    // Whether a code may be stored for the entry exceptId (0 for a new
    // entry): not empty, and no other entry has it (whatever the case).
    CodeCheck checkCode(const QString &code, int exceptId = 0) const;
    static QString normalisedCode(const QString &code) { return code.trimmed().toUpper(); }

    // Adds an entry with its text in language and, when language is not the
    // default language, the same text in the default language. Returns the
    // new entry's ID. The code must have passed checkCode.
    int insert(const QString &code, const QString &text, const QString &language,
               const QString &defaultLanguage);
    // Stores a new code for the entry and its text in language (the row is
    // added when the entry has no text in that language yet).
    void save(int id, const QString &code, const QString &text, const QString &language);
    // Deletes the entry with all its texts; each deleted row is logged for
    // the next site update.
    void remove(int id);

private:
    Database &m_db;
};

#pragma once

#include <QStringView>

struct sqlite3;

// Text compared as Jet compares it: without regard to case, for every
// letter and not only A-Z ("CITTÀ PERCHÉ" equals "Città perché"), by
// Unicode simple case folding. Used by the NOCASE collation of every
// connection (filters, finds, sorts, uniqueness, indexes) and by Like.
namespace jettext {

// Compares two UTF-8 texts; <0, 0 or >0. Texts of ASCII characters alone
// are compared byte by byte, with A-Z as a-z, exactly as SQLite's own
// NOCASE does, so indexes built on ASCII keys keep their order.
int compare(const char *a, int aBytes, const char *b, int bBytes);

// Jet Like: * any run, ? one character, # one digit, [abc] [a-z] [!abc]
// one character of (or not of) a list; [*] [?] [#] [[] the character
// itself. Without regard to case.
bool like(QStringView value, QStringView pattern);

// Replaces SQLite's NOCASE collation (ASCII letters only) on `db` by
// compare(). Database does it on every connection it opens.
void registerCollation(sqlite3 *db);

} // namespace jettext

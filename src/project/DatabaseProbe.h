#pragma once

#include <QString>

// A look at a database file before any connection touches it: is it there,
// is it an SQLite database, is it complete. Opening a damaged file
// read-write could let the engine write into it; this check reads only.
class DatabaseProbe {
public:
    enum class State { Ok, Missing, NotAFile, Unreadable, NotADatabase, Truncated };

    static State check(const QString &path);
    // A short Italian description of a state other than Ok.
    static QString describe(State state);
};

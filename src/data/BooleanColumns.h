#pragma once

class Database;

// Keeps every true value of a BOOLEAN column stored as 1, whoever writes it:
// record sets, Jet statements, pages through ADODB (where True is -1), the
// command line's raw SQL, or another SQLite client. Each table with such
// columns gets two triggers (after insert, after update of those columns)
// that turn any other true value (-1, 2, 'True', ...) into 1 and false
// values into 0; Null stays Null. A filter such as "Attivo=True" then
// matches every true row.
//
// Database installs them on every writable connection as it opens, and
// again after a schema script, so a table created later is covered too.
class BooleanColumns {
public:
    // Creates the triggers that are missing or out of date (a table that
    // gained or lost a BOOLEAN column) and drops those of tables that no
    // longer have any. The rows of every table whose triggers were created
    // or changed are normalised as well. Returns the number of tables whose
    // triggers changed. Runs in one savepoint; throws DataError on failure.
    static int install(Database &db);
    // Stores every true value of every BOOLEAN column as 1 and every false
    // one as 0 (rows written while the triggers were away, e.g. copied by
    // the structure upgrade). Returns the number of rows changed.
    static int normalise(Database &db);
};

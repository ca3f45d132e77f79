#pragma once

// The state of an open Recordset, shared by the files that implement it:
// Recordset.cpp (opening, positions, bookmarks, fields), RecordsetKeyset.cpp
// (the keyset and rows read from its own cursor), RecordsetFetch.cpp (rows
// read one by one by key), RecordsetWindow.cpp (rows read in order through
// a window statement), RecordsetFind.cpp and RecordsetEdit.cpp. Not for use
// outside the data layer.

#include "data/JetSql.h"
#include "data/Recordset.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>

#include <sqlite3.h>

#include <cstdint>
#include <set>
#include <unordered_map>
#include <vector>

namespace recordsetdetail {

inline QString bracket(const QString &name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}

inline QString noCurrentRecord()
{
    return QStringLiteral("Nessun record corrente");
}

} // namespace recordsetdetail

struct Recordset::Impl {
    struct Column {
        QString name;
        ColumnKind kind = ColumnKind::Dynamic;
        QString defaultSql;
    };

    // --- shape of the open set ---
    bool tableSet = false;   // editable set over one table, rows by rowid
    QString table;
    QString cursorSql;       // the statement that gives the keyset
    QVector<Column> columns;
    QHash<QString, int> columnIndex;  // lower-case name -> index
    // Names as spelt by the columns -> index, for the usual lookup in the
    // column's own spelling without building a lower-case copy. Holds a name
    // only where it agrees with columnIndex.
    QHash<QString, int> exactIndex;
    QString columnList;               // "[a], [b], ..." for table sets
    QString whereSql;                 // condition of the set (statement and filter)
    QString orderSql;                 // order of the set, ending with rowid

    // --- keyset ---
    std::vector<qint64> keys;         // rowids (table set) or row numbers (query set)
    bool keysetComplete = false;
    sqlite3_stmt *cursor = nullptr;   // pending keyset statement, owned
    // A sorted or filtered set's cursor gives the keys alone: sorting whole
    // rows costs far more than sorting keys and reading each row by key when
    // it is visited. A whole table in key order streams whole rows.
    bool narrowCursor = false;
    int addedFrom = -1;               // first position of rows added through the set
    std::set<int> deleted;            // positions of rows deleted through the set or found missing
    std::unordered_map<qint64, int> positionOf;  // key -> position, built on demand
    bool positionIndexBuilt = false;

    // --- query sets keep their rows ---
    std::vector<QVector<QVariant>> rows;

    // --- position and current row ---
    int pos = -1;                     // -1 BOF; keys.size() EOF (once complete)
    bool noCurrent = false;           // the current row was deleted
    // Where the current row's values are: not read yet, in the pending
    // cursor, in the fetch statement (stepped onto the row), or in `current`.
    enum class Source { None, Cursor, Fetch, Window, Buffer } source = Source::None;
    QVector<QVariant> current;        // values when source == Buffer
    sqlite3_stmt *fetch = nullptr;    // "SELECT columns WHERE rowid=?", owned
    int lastFetchPos = -2;
    // A set read in order, once its cursor no longer gives the rows, walks
    // the next rows in one statement, "(VALUES (?1), ...) CROSS JOIN table",
    // stepping once per row so that values are converted only when asked
    // for. Valid while the database's write counter equals windowStamp; an
    // update of the current row alone, through this set, keeps it valid. A
    // window is started only when nothing else was written since the
    // previous row was read.
    sqlite3_stmt *window = nullptr;   // owned
    bool windowActive = false;
    std::uint64_t lastFetchStamp = ~std::uint64_t(0);
    std::uint64_t windowStamp = 0;
    std::vector<int> windowPositions;  // positions bound, in order
    size_t windowNext = 0;             // index of the next row it gives
    // INSERT and UPDATE statements by changed-column mask, owned.
    QHash<QByteArray, sqlite3_stmt *> insertStatements;
    QHash<QByteArray, sqlite3_stmt *> updateStatements;
    // Criteria translated, by their Jet text.
    QHash<QString, SqlWithParams> criteria;
    int rowidColumn = -1;             // the column that is the rowid (INTEGER PRIMARY KEY)
    std::uint64_t knownWrites = 0;    // Database::writeCounter() as last seen

    // --- edit buffer ---
    QVector<QVariant> buffer;
    QVector<bool> dirty;
    QVector<QVariant> defaults;       // evaluated column defaults (table sets)
    bool defaultsLoaded = false;

    Impl() = default;
    Impl(const Impl &) = delete;
    Impl &operator=(const Impl &) = delete;
    ~Impl()
    {
        finalizeCursor();
        if (fetch)
            sqlite3_finalize(fetch);
        for (sqlite3_stmt *stmt : std::as_const(insertStatements))
            sqlite3_finalize(stmt);
        for (sqlite3_stmt *stmt : std::as_const(updateStatements))
            sqlite3_finalize(stmt);
        if (window)
            sqlite3_finalize(window);
    }

    void stopWindow()
    {
        if (windowActive) {
            sqlite3_reset(window);
            windowActive = false;
        }
    }

    void finalizeCursor()
    {
        if (cursor) {
            sqlite3_finalize(cursor);
            cursor = nullptr;
        }
    }

    int liveCount() const { return int(keys.size()) - int(deleted.size()); }
};

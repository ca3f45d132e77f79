#include "data/Recordset.h"
#include "data/RecordsetImpl.h"

#include "data/JetSql.h"
#include "data/SqliteValue.h"

#include <sqlite3.h>

using namespace recordsetdetail;

// Makes `position` (a valid keyset position) the current row.
void Recordset::goTo(int position)
{
    Impl &x = *d;
    dropCurrent();
    x.pos = position;
    x.noCurrent = false;
    if (!x.tableSet) {
        x.source = Impl::Source::Buffer;
        x.current = x.rows[size_t(position)];
        return;
    }
    // The row just read by the pending cursor is used as it stands; any
    // other row is read when a value is first asked for.
    if (x.cursor && !x.narrowCursor && position == int(x.keys.size()) - 1)
        x.source = Impl::Source::Cursor;
}

// Reads the row at the current position from the database. Returns false
// when the row no longer exists.
bool Recordset::fetchCurrent() const
{
    Impl &x = *d;
    if (x.source != Impl::Source::None)
        return true;
    const bool inOrder = x.pos == x.lastFetchPos + 1;
    x.lastFetchPos = x.pos;
    const bool quiet = x.lastFetchStamp == m_db->writeCounter();
    x.lastFetchStamp = m_db->writeCounter();
    if (x.windowActive
        && (x.windowStamp != m_db->writeCounter() || !inOrder || x.windowNext >= x.windowPositions.size()
            || x.windowPositions[x.windowNext] != x.pos))
        x.stopWindow();
    if (inOrder && (x.windowActive || quiet) && stepWindow())
        return true;
    // The fetch statement stays on the row; values are converted only when
    // asked for (SQLite keeps the row's values once stepped).
    sqlite3_reset(x.fetch);
    sqlite3_bind_int64(x.fetch, 1, x.keys[size_t(x.pos)]);
    const int rc = sqlite3_step(x.fetch);
    if (rc == SQLITE_ROW) {
        x.source = Impl::Source::Fetch;
        return true;
    }
    sqlite3_reset(x.fetch);
    if (rc != SQLITE_DONE)
        m_db->check(rc, x.table);
    return false;
}

// True when a row at `position` is there to be made current: not deleted
// through this set and, if the database was written by anyone else since
// we last looked, still present.
bool Recordset::usable(int position)
{
    Impl &x = *d;
    if (x.deleted.count(position))
        return false;
    if (!x.tableSet || m_db->writeCounter() == x.knownWrites)
        return true;
    if (x.cursor && !x.narrowCursor && position == int(x.keys.size()) - 1)
        return true;
    const int saved = x.pos;
    const bool savedNoCurrent = x.noCurrent;
    goTo(position);
    if (fetchCurrent())
        return true;
    // Deleted behind our back: it leaves the set.
    completeKeyset();
    x.deleted.insert(position);
    dropCurrent();
    x.pos = saved;
    x.noCurrent = savedNoCurrent;
    return false;
}

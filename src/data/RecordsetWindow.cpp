#include "data/Recordset.h"
#include "data/RecordsetImpl.h"

#include "data/JetSql.h"
#include "data/SqliteValue.h"

#include <sqlite3.h>

using namespace recordsetdetail;

namespace {

// Rows read ahead in one statement when a set is read in order by key.
constexpr int kReadAhead = 64;

} // namespace

// Makes the next row of the window the current row, starting a window at
// the current position when none is active. Returns false (window stopped)
// when the row is not the one expected, e.g. because it no longer exists.
bool Recordset::stepWindow() const
{
    Impl &x = *d;
    if (!x.windowActive) {
        if (!x.window) {
            QStringList rows, cols;
            for (int i = 1; i <= kReadAhead; ++i)
                rows << QStringLiteral("(?%1)").arg(i);
            for (const Impl::Column &c : std::as_const(x.columns))
                cols << QStringLiteral("t.") + bracket(c.name);
            const QByteArray sql = QStringLiteral("SELECT t.rowid, %1 FROM (VALUES %2) AS k CROSS JOIN %3 AS t "
                                                  "ON t.rowid = k.column1")
                                       .arg(cols.join(QStringLiteral(", ")), rows.join(QLatin1Char(',')),
                                            bracket(x.table))
                                       .toUtf8();
            m_db->check(sqlite3_prepare_v3(m_db->handle(), sql.constData(), int(sql.size()),
                                           SQLITE_PREPARE_PERSISTENT, &x.window, nullptr),
                        QString::fromUtf8(sql));
        }
        Recordset *self = const_cast<Recordset *>(this);
        self->ensureKey(x.pos + kReadAhead - 1);
        sqlite3_clear_bindings(x.window);
        x.windowPositions.clear();
        for (int p = x.pos; p < int(x.keys.size()) && int(x.windowPositions.size()) < kReadAhead; ++p) {
            if (!x.deleted.count(p)) {
                x.windowPositions.push_back(p);
                sqlite3_bind_int64(x.window, int(x.windowPositions.size()), x.keys[size_t(p)]);
            }
        }
        x.windowNext = 0;
        x.windowStamp = m_db->writeCounter();
        x.windowActive = true;
        if (x.windowPositions.empty() || x.windowPositions[0] != x.pos) {
            x.stopWindow();
            return false;
        }
    }
    const int rc = sqlite3_step(x.window);
    if (rc != SQLITE_ROW || sqlite3_column_int64(x.window, 0) != x.keys[size_t(x.pos)]) {
        x.stopWindow();
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            m_db->check(rc, x.table);
        return false;
    }
    ++x.windowNext;
    x.source = Impl::Source::Window;
    return true;
}

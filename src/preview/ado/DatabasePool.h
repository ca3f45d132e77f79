#pragma once

#include <QString>

#include <memory>

class Database;

// Connections to the site's database files kept open between pages, so
// that a page does not pay for opening (and, in WAL mode, checkpointing)
// the file each time. A connection goes back to the pool when the last
// holder lets it go, with any transaction it left open rolled back. The
// preview server empties the pool when it stops, before the project
// database may be replaced.
class DatabasePool {
public:
    static constexpr int kMaxIdlePerFile = 4;

    // An open connection on the file (throws DataError when it cannot be opened).
    static std::shared_ptr<Database> acquire(const QString &path);
    // Closes every idle connection; connections in use are closed when let go.
    static void closeAll();
    static int idleCount();
};

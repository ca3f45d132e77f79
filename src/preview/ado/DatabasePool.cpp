#include "DatabasePool.h"

#include "data/Database.h"
#include "preview/RunningPage.h"

#include <map>

#include <vector>

namespace {

struct Pool {
    std::map<QString, std::vector<std::unique_ptr<Database>>> idle;
    quint64 generation = 0;
};

Pool &pool()
{
    static Pool p;
    return p;
}

void giveBack(const QString &path, Database *db, quint64 generation)
{
    std::unique_ptr<Database> owned(db);
    try {
        while (owned->isOpen() && owned->inTransaction())
            owned->rollback();
    } catch (const DataError &) {
        return; // a connection in doubt is closed, not reused
    }
    Pool &p = pool();
    if (generation != p.generation || !owned->isOpen())
        return;
    auto &list = p.idle[path];
    if (int(list.size()) < DatabasePool::kMaxIdlePerFile)
        list.push_back(std::move(owned));
}

} // namespace

std::shared_ptr<Database> DatabasePool::acquire(const QString &path)
{
    Pool &p = pool();
    std::unique_ptr<Database> db;
    auto it = p.idle.find(path);
    if (it != p.idle.end() && !it->second.empty()) {
        db = std::move(it->second.back());
        it->second.pop_back();
    } else {
        db = std::make_unique<Database>();
        // A page's statement ends with the page's time or the server's stop.
        db->setInterruptCheck(&preview::RunningPage::shouldStop);
        db->open(path, Database::OpenMode::ReadWrite);
    }
    const quint64 generation = p.generation;
    return std::shared_ptr<Database>(db.release(), [path, generation](Database *d) {
        giveBack(path, d, generation);
    });
}

void DatabasePool::closeAll()
{
    Pool &p = pool();
    ++p.generation;
    p.idle.clear();
}

int DatabasePool::idleCount()
{
    int n = 0;
    for (const auto &entry : pool().idle)
        n += int(entry.second.size());
    return n;
}

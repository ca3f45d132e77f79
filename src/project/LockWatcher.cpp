#include "LockWatcher.h"

#include "project/ProjectLock.h"

#include <QEventLoop>
#include <QTimer>

LockWatcher::LockWatcher(const ProjectFolder &project, int intervalMs, QObject *parent)
    : QObject(parent), m_project(project), m_intervalMs(intervalMs > 0 ? intervalMs : 1)
{
}

LockWatcher::~LockWatcher()
{
    stop();
}

void LockWatcher::start()
{
    if (m_worker.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopRequested = false;
    }
    m_released = false;
    m_worker = std::thread([this] { run(); });
}

void LockWatcher::stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopRequested = true;
    }
    m_wake.notify_all();
    if (m_worker.joinable())
        m_worker.join();
}

bool LockWatcher::isRunning() const
{
    return m_worker.joinable() && !m_released.load();
}

void LockWatcher::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stopRequested) {
        lock.unlock();
        const bool gone = !ProjectLock::currentHolder(m_project);
        lock.lock();
        if (gone) {
            if (m_stopRequested)
                return;
            m_released = true;
            // Delivered on the owner's thread; dropped if the watcher dies first.
            QMetaObject::invokeMethod(this, [this] { emit released(); }, Qt::QueuedConnection);
            return;
        }
        m_wake.wait_for(lock, std::chrono::milliseconds(m_intervalMs),
                        [this] { return m_stopRequested; });
    }
}

bool LockWatcher::waitReleased(int timeoutMs)
{
    if (!ProjectLock::currentHolder(m_project))
        return true;
    QEventLoop loop;
    connect(this, &LockWatcher::released, &loop, &QEventLoop::quit);
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    start();
    if (m_released.load()) {
        // Released between the start and the connection above.
    } else {
        if (timeoutMs >= 0)
            timer.start(timeoutMs);
        loop.exec();
    }
    const bool ok = m_released.load();
    stop();
    return ok;
}

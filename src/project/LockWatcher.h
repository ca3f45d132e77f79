#pragma once

#include "project/ProjectFolder.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// Watches a project's lock (db/sync.lck, see ProjectLock) from a worker
// thread and reports when it is free: the file is gone, or its holder died. released() is emitted on the thread that owns
// the watcher, never on the worker, so a dialog can simply close itself.
// stop() (and the destructor) end the worker and wait for it; a release
// that was already queued is dropped together with the watcher, so a
// dialog closed first is never touched.
class LockWatcher : public QObject {
    Q_OBJECT
public:
    static constexpr int DefaultIntervalMs = 200;

    explicit LockWatcher(const ProjectFolder &project, int intervalMs = DefaultIntervalMs,
                         QObject *parent = nullptr);
    ~LockWatcher() override;

    QString lockFile() const { return m_project.lockFile(); }
    void start();
    void stop();
    bool isRunning() const;
    // True once the worker saw the lock free.
    bool isReleased() const { return m_released.load(); }

    // Runs a local event loop until the lock is free (true) or timeoutMs
    // passes (false); a negative timeout waits for ever. For callers with
    // no window (command line, tests).
    bool waitReleased(int timeoutMs);

signals:
    void released();

private:
    void run();

    ProjectFolder m_project;
    int m_intervalMs;
    std::thread m_worker;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopRequested = false;
    std::atomic<bool> m_released{false};
};

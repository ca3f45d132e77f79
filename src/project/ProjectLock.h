#pragma once

#include "project/ProjectFolder.h"

#include <QLockFile>
#include <QString>

#include <memory>
#include <optional>

// The one lock of a project folder (db/sync.lck). Every process that writes
// a project takes it first and keeps it while it works: the desktop client
// for as long as the project is open, each command-line verb that writes for
// its run, the preview server until it stops. The lock is an operating-system
// lock file that records its holder (process id, program, computer); one left
// behind by a process that died is taken over, so it never blocks for ever.
class ProjectLock {
public:
    // Who holds a project.
    struct Holder {
        qint64 pid = 0;
        QString program;
        QString host;
    };

    enum class Result {
        Acquired,   // this object now holds the project
        Held,       // another live process holds it: see holder()
        Failed      // the lock file cannot be made: see errorText()
    };

    explicit ProjectLock(const ProjectFolder &project);
    ~ProjectLock();
    ProjectLock(const ProjectLock &) = delete;
    ProjectLock &operator=(const ProjectLock &) = delete;

    // Takes the lock at once, without waiting.
    Result tryAcquire();
    void release();
    bool isAcquired() const;

    // Valid after tryAcquire() answered Held.
    const Holder &holder() const { return m_holder; }
    // Valid after tryAcquire() answered Failed.
    QString errorText() const { return m_error; }

    // The live holder of a project, or nothing when it is free (a lock file
    // left by a dead process counts as free). Does not keep the lock.
    static std::optional<Holder> currentHolder(const ProjectFolder &project);

    // "The project is in use by ..." naming the holder.
    static QString heldText(const ProjectFolder &project, const Holder &holder);
    static QString failedText(const ProjectFolder &project, const QString &reason);
    // The text of the last tryAcquire() that did not acquire.
    QString refusalText() const;

private:
    ProjectFolder m_project;
    std::unique_ptr<QLockFile> m_file;
    Holder m_holder;
    QString m_error;
    Result m_last = Result::Failed;
};

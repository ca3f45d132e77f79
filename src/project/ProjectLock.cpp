#include "ProjectLock.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace {

constexpr int kNamelessLockSeconds = 10;

std::unique_ptr<QLockFile> makeLockFile(const ProjectFolder &project)
{
    auto file = std::make_unique<QLockFile>(project.lockFile());
    // Only a dead holder makes the lock stale: a preview may run for days.
    file->setStaleLockTime(0);
    return file;
}

} // namespace

ProjectLock::ProjectLock(const ProjectFolder &project)
    : m_project(project), m_file(makeLockFile(project))
{
}

ProjectLock::~ProjectLock()
{
    release();
}

ProjectLock::Result ProjectLock::tryAcquire()
{
    if (m_file->isLocked())
        return m_last = Result::Acquired;
    m_holder = Holder();
    m_error.clear();
    if (!QFileInfo(m_project.file(QStringLiteral("db"))).isDir()) {
        m_error = QStringLiteral("manca la cartella db");
        return m_last = Result::Failed;
    }
    if (m_file->tryLock(0))
        return m_last = Result::Acquired;
    if (m_file->error() == QLockFile::LockFailedError
        && !m_file->getLockInfo(&m_holder.pid, &m_holder.host, &m_holder.program)) {
        // A lock file that names no holder was not written by a lock of
        // ours (or its writer died while writing it): once it is older than
        // a holder needs to write its name, it is taken over.
        const QDateTime written = QFileInfo(m_project.lockFile()).lastModified();
        if (written.isValid() && qAbs(written.secsTo(QDateTime::currentDateTime())) >= kNamelessLockSeconds
            && m_file->removeStaleLockFile() && m_file->tryLock(0))
            return m_last = Result::Acquired;
    }
    switch (m_file->error()) {
    case QLockFile::LockFailedError:
        return m_last = Result::Held;
    case QLockFile::PermissionError:
        m_error = QStringLiteral("permesso negato");
        break;
    default:
        m_error = QStringLiteral("errore sconosciuto");
        break;
    }
    return m_last = Result::Failed;
}

void ProjectLock::release()
{
    if (m_file && m_file->isLocked())
        m_file->unlock();
}

bool ProjectLock::isAcquired() const
{
    return m_file->isLocked();
}

std::optional<ProjectLock::Holder> ProjectLock::currentHolder(const ProjectFolder &project)
{
    if (!QFileInfo::exists(project.lockFile()))
        return std::nullopt;
    ProjectLock probe(project);
    if (probe.tryAcquire() == Result::Held)
        return probe.holder();
    return std::nullopt;
}

QString ProjectLock::heldText(const ProjectFolder &project, const Holder &holder)
{
    const QString program = holder.program.isEmpty() ? QStringLiteral("un altro programma") : holder.program;
    const QString host = holder.host.isEmpty() ? QStringLiteral("sconosciuto") : holder.host;
    return QStringLiteral("Il progetto è già in uso da %1 (computer %2, processo %3):\n\n%4\n\n"
                          "Il progetto non può essere modificato finché quel programma non termina.")
        .arg(program, host, QString::number(holder.pid), QDir::toNativeSeparators(project.path()));
}

QString ProjectLock::failedText(const ProjectFolder &project, const QString &reason)
{
    return QStringLiteral("Impossibile riservare il progetto per la modifica (%1):\n\n%2")
        .arg(reason, QDir::toNativeSeparators(project.lockFile()));
}

QString ProjectLock::refusalText() const
{
    if (m_last == Result::Held)
        return heldText(m_project, m_holder);
    if (m_last == Result::Failed)
        return failedText(m_project, m_error);
    return QString();
}

#include "data/DatabaseFiles.h"

#include "data/DataError.h"
#include "support/ErrorText.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

namespace {

DatabaseFiles::StepHook &stepHook()
{
    static DatabaseFiles::StepHook hook;
    return hook;
}

void step(int n)
{
    if (stepHook())
        stepHook()(n);
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

void syncPath(const QString &path, bool directory)
{
    const QByteArray p = QFile::encodeName(path);
    const int fd = ::open(p.constData(), directory ? (O_RDONLY | O_DIRECTORY) : O_RDWR);
    if (fd < 0)
        throw DataError(QStringLiteral("Impossibile aprire per la scrittura su disco: %1").arg(systemError()), path);
    const int rc = ::fsync(fd);
    const int savedErrno = errno;
    ::close(fd);
    if (rc != 0) {
        errno = savedErrno;
        throw DataError(QStringLiteral("Scrittura su disco non riuscita: %1").arg(systemError()), path);
    }
}

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

// Folds the -wal file of a database into the database itself, so that the
// main file alone is the complete database; one without a -wal file is
// left as it is. The database may be open in
// another connection: its -wal and -shm files are that connection's, so
// they are never removed here (SQLite removes them when the last
// connection closes).
void foldWal(const QString &path)
{
    const QString wal = path + QStringLiteral("-wal");
    if (!QFileInfo::exists(wal))
        return;
    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    int logFrames = -1;
    int foldedFrames = -1;
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db, 5000);
        // Reading the schema opens the database and its log.
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK) {
        // Every frame of the log goes into the file; readers of an older
        // state, or a writer, make this wait and then fail.
        rc = sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_FULL, &logFrames, &foldedFrames);
        if (rc == SQLITE_OK && logFrames != foldedFrames)
            rc = SQLITE_BUSY;
        // Emptying the log is only tidiness: readers still on it may refuse.
        if (rc == SQLITE_OK)
            sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    }
    const QString msg = db ? QString::fromUtf8(sqlite3_errstr(rc)) : QString();
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw DataError(QStringLiteral("Impossibile consolidare il database: %1").arg(msg), path);
}

void removeSideFiles(const QString &path)
{
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
}

QString besideName(const QString &target)
{
    return target + QStringLiteral(".tmp%1").arg(::getpid());
}

void copyBytes(const QString &source, const QString &dest)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw DataError(QStringLiteral("Impossibile leggere il file: %1").arg(ErrorText::italian(in.errorString())), source);
    QFile out(dest);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw DataError(QStringLiteral("Impossibile scrivere il file: %1").arg(ErrorText::italian(out.errorString())), dest);
    QByteArray chunk;
    while (!(chunk = in.read(1 << 20)).isEmpty()) {
        if (out.write(chunk) != chunk.size()) {
            const QString err = ErrorText::italian(out.errorString());
            out.close();
            QFile::remove(dest);
            throw DataError(QStringLiteral("Scrittura non riuscita: %1").arg(err), dest);
        }
    }
    if (in.error() != QFile::NoError) {
        out.close();
        QFile::remove(dest);
        throw DataError(QStringLiteral("Lettura non riuscita: %1").arg(ErrorText::italian(in.errorString())), source);
    }
    if (!out.flush()) {
        out.close();
        QFile::remove(dest);
        throw DataError(QStringLiteral("Scrittura non riuscita: %1").arg(ErrorText::italian(out.errorString())), dest);
    }
    out.close();
}

void renameOver(const QString &from, const QString &to)
{
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(from).toStdString(), QFile::encodeName(to).toStdString(), ec);
    if (ec)
        throw DataError(QStringLiteral("Impossibile sostituire il file: %1").arg(QString::fromStdString(ec.message())),
                            to);
}

} // namespace

void DatabaseFiles::setStepHook(StepHook hook)
{
    stepHook() = std::move(hook);
}

// Steps: 1 side copy written, 2 side copy on disk, 3 old target made
// self-contained, 4 renamed over the target, 5 folder entry on disk.
void DatabaseFiles::copy(const QString &source, const QString &target)
{
    if (!QFileInfo(source).isFile())
        throw DataError(QStringLiteral("Il file da copiare non esiste"), source);
    foldWal(source);
    const QString side = besideName(target);
    try {
        copyBytes(source, side);
        step(1);
        syncPath(side, false);
        step(2);
        foldWal(target);
        removeSideFiles(target);
        step(3);
        renameOver(side, target);
    } catch (...) {
        QFile::remove(side);
        throw;
    }
    step(4);
    syncPath(folderOf(target), true);
    step(5);
}

void DatabaseFiles::workingCopy(const QString &source, const QString &target)
{
    if (!QFileInfo(source).isFile())
        throw DataError(QStringLiteral("Il file da copiare non esiste"), source);
    foldWal(source);
    removeSideFiles(target);
    try {
        copyBytes(source, target);
    } catch (...) {
        QFile::remove(target);
        throw;
    }
}

void DatabaseFiles::backup(const QString &source, const QString &target)
{
    copy(source, target);
}

// Steps: 2 new file on disk, 3 old target made self-contained, 4 renamed
// over the target, 5 folder entry on disk.
void DatabaseFiles::replace(const QString &newFile, const QString &target)
{
    if (!QFileInfo(newFile).isFile())
        throw DataError(QStringLiteral("Il nuovo database non esiste"), newFile);
    foldWal(newFile);
    removeSideFiles(newFile);
    syncPath(newFile, false);
    step(2);
    foldWal(target);
    removeSideFiles(target);
    step(3);
    renameOver(newFile, target);
    step(4);
    syncPath(folderOf(target), true);
    step(5);
}

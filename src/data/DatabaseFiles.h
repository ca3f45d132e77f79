#pragma once

#include <QString>

#include <functional>

// File operations on database files that a crash cannot half-do: the
// target is always either the old complete file or the new complete file.
// Each writes beside the target, flushes it to disk, renames it over the
// target in one step and flushes the folder. SQLite side files (-wal, -shm)
// are folded in or removed so that they never meet a file they do not
// belong to. The files must not be open in a Database at the time.
// Failures throw DataError naming the file.
class DatabaseFiles {
public:
    // Copies source to target; target, if present, is replaced.
    static void copy(const QString &source, const QString &target);
    // Copies source to target for work on the copy that ends with
    // replace(target, source) or with target thrown away: nothing is
    // flushed to disk here (replace does that), and a crash leaves at worst
    // an incomplete target, never a damaged source. Open it with
    // Database::OpenMode::WorkingCopy.
    static void workingCopy(const QString &source, const QString &target);
    // Makes target a copy of source, replacing an existing backup.
    static void backup(const QString &source, const QString &target);
    // Moves newFile onto target (newFile no longer exists afterwards).
    static void replace(const QString &newFile, const QString &target);

    // Test seam: called with a step number at each point where a crash
    // matters (after the side file is written, after it is flushed, after
    // the rename, ...). A test can abort the process there.
    using StepHook = std::function<void(int step)>;
    static void setStepHook(StepHook hook);
};

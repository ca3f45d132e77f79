#pragma once

#include <QString>
#include <QStringList>

// Builds an SQLite database file from schema and seed scripts at build time.
// The file is written beside the target and renamed over it only when every
// script ran, so an interrupted or failed build never leaves a half-built
// database that looks up to date. The result is compacted with VACUUM and
// depends only on the scripts, so two builds give identical files.
class DatabaseBuilder {
public:
    // Runs the scripts in order, in one transaction, into `target`.
    // Returns false and fills `error` (naming the script) on failure.
    static bool build(const QString &target, const QStringList &scripts, QString *error);
};

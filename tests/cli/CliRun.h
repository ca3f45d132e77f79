#pragma once

#include "TempDir.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct CliRun {
    int code = -1;
    QString out;
    QString err;
};

// Runs zanfira-cli with its settings kept in the test's own folder, so the
// user's recent-project list is never touched.
inline CliRun runCli(const TempDir &home, const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.file(QStringLiteral(".config")));
    if (!env.contains(QStringLiteral("ZANFIRA_HOME")))
        env.insert(QStringLiteral("ZANFIRA_HOME"), QStringLiteral(ZANFIRA_PROGRAM_FOLDER));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(ZANFIRA_CLI), args);
    CliRun r;
    if (!p.waitForFinished(180000))
        return r;
    r.code = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

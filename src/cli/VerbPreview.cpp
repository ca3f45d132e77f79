// zanfira-cli preview PROJECTDIR [--port N] [--log]: the site preview server
// without windows. The project database is backed up when it starts and
// put back when it ends (Ctrl+C or SIGTERM), as the preview window does;
// the project stays locked for the whole run.
#include "CliVerb.h"
#include "ProjectArguments.h"

#include "data/DataError.h"
#include "data/DatabaseFiles.h"
#include "preview/RunningPage.h"
#include "preview/WebServer.h"
#include "project/ProgramFolder.h"
#include "project/ProjectFolder.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>

#include <csignal>

namespace {

volatile std::sig_atomic_t g_stopRequested = 0;

extern "C" void requestStop(int)
{
    g_stopRequested = 1;
    // A page busy in a long SQL statement lets go of it at once.
    preview::RunningPage::requestStop();
}

constexpr int kSignalPollMs = 100;

int runPreview(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = arguments;
    bool missingValue = false;
    ProgramFolder::fromArguments(args, &missingValue);

    quint16 port = preview::WebServer::kDefaultPort;
    bool log = false;
    QString projectPath;
    bool bad = missingValue;
    for (qsizetype i = 0; i < args.size() && !bad; ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--port") || a.startsWith(QLatin1String("--port="))) {
            QString value;
            if (a.contains(QLatin1Char('=')))
                value = a.section(QLatin1Char('='), 1);
            else if (i + 1 < args.size())
                value = args[++i];
            bool ok = false;
            const uint n = value.toUInt(&ok);
            if (!ok || n > 65535)
                bad = true;
            port = quint16(n);
        } else if (a == QLatin1String("--log")) {
            log = true;
        } else if (projectPath.isEmpty() && !a.startsWith(QLatin1String("--"))) {
            projectPath = a;
        } else {
            bad = true;
        }
    }
    if (bad || projectPath.isEmpty()) {
        err << "Uso: zanfira-cli preview CARTELLA_PROGETTO [--port N] [--log]\n";
        return 2;
    }

    const ProjectFolder project(projectPath);
    // Held until the server has stopped and the database is back: nothing
    // else writes the project meanwhile, so the copy put back at the end
    // undoes only what the previewed pages wrote.
    const auto lock = ProjectArguments::lockForWriting(project, out, err);
    if (!lock)
        return 1;
    try {
        DatabaseFiles::backup(project.database(), project.backup());
    } catch (const DataError &e) {
        err << "Impossibile copiare il database del progetto: " << e.text() << "\n";
        return 1;
    }
    auto restore = [&]() -> bool {
        try {
            if (project.hasBackup())
                DatabaseFiles::replace(project.backup(), project.database());
            return true;
        } catch (const DataError &e) {
            err << "Impossibile ripristinare il database del progetto: " << e.text() << "\n";
            return false;
        }
    };

    preview::WebServer server;
    server.setPort(port);
    server.serveProject(project.file(ProjectFolder::SiteFolder), project.file(ProjectFolder::AspFolder),
                        project.file(QStringLiteral("db")), project.file(ProjectFolder::ImagesFolder));
    if (log) {
        QObject::connect(&server, &preview::WebServer::requestServed,
                         [&out](const QString &method, const QString &target, int status) {
                             out << method << ' ' << target << ' ' << status << Qt::endl;
                         });
    }
    QString error;
    if (!server.start(&error)) {
        err << "Impossibile avviare il server di anteprima sulla porta " << port << ": " << error << "\n";
        restore();
        return 1;
    }
    out << "Anteprima di " << project.path() << " su " << server.address()
        << " (Ctrl+C per terminare)" << Qt::endl;

    g_stopRequested = 0;
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [] {
        if (g_stopRequested)
            QCoreApplication::quit();
    });
    poll.start(kSignalPollMs);
    QCoreApplication::exec();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);

    server.stop();
    if (!restore())
        return 1;
    out << "Anteprima terminata; database del progetto ripristinato." << Qt::endl;
    return 0;
}

CliVerbRegistrar registrar({QStringLiteral("preview"),
                            QStringLiteral("preview CARTELLA_PROGETTO [--port N] [--log]"), runPreview});

} // namespace

// zanfira-cli asp-check FOLDER: compiles every .asp and .inc page of a
// folder with its includes, as the preview would, without running any of
// them; prints "ok" or the first problem for each file, then a total.
#include "CliVerb.h"

#include "preview/AspProcessor.h"
#include "preview/SiteMap.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>

namespace {

QStringList pageFiles(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString suffix = QFileInfo(path).suffix();
        if (suffix.compare(QLatin1String("asp"), Qt::CaseInsensitive) == 0
            || suffix.compare(QLatin1String("inc"), Qt::CaseInsensitive) == 0)
            files.append(path);
    }
    std::sort(files.begin(), files.end());
    return files;
}

int runAspCheck(const QStringList &args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.size() != 1 || args[0].startsWith(QLatin1String("--"))) {
        err << "Uso: zanfira-cli asp-check CARTELLA\n";
        return 2;
    }
    const QFileInfo folder(args[0]);
    if (!folder.isDir()) {
        err << "La cartella non esiste: " << args[0] << "\n";
        return 1;
    }
    preview::SiteMap site;
    site.setRootFolder(folder.canonicalFilePath());
    const preview::AspProcessor processor(site);
    const QStringList files = pageFiles(folder.canonicalFilePath());
    int failed = 0;
    for (const QString &file : files) {
        const QStringList problems = processor.checkPage(file);
        out << processor.displayName(file) << ": " << (problems.isEmpty() ? QStringLiteral("ok") : problems.first())
            << Qt::endl;
        failed += problems.isEmpty() ? 0 : 1;
    }
    out << "Totale: " << files.size() << " pagine, " << files.size() - failed << " compilate, " << failed
        << " con errori" << Qt::endl;
    return failed == 0 ? 0 : 1;
}

CliVerbRegistrar registrar({QStringLiteral("asp-check"), QStringLiteral("asp-check CARTELLA"), runAspCheck});

} // namespace

// Build-time tool that assembles the program folder's generated files.
//   zf-resources database TARGET SCRIPT...   database file from SQL scripts
//   zf-resources help MARKDOWN PDF           user guide as PDF
#include "DatabaseBuilder.h"
#include "HelpPdf.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <memory>

namespace {

int usage()
{
    std::fputs("usage: zf-resources database TARGET SCRIPT...\n"
               "       zf-resources help MARKDOWN PDF\n", stderr);
    return 2;
}

int fail(const QString &error)
{
    std::fprintf(stderr, "zf-resources: %s\n", qPrintable(error));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2)
        return usage();
    const QString command = QString::fromLocal8Bit(argv[1]);

    QString error;
    if (command == QLatin1String("database")) {
        if (argc < 4)
            return usage();
        QCoreApplication app(argc, argv);
        QStringList scripts;
        for (int i = 3; i < argc; ++i)
            scripts << QString::fromLocal8Bit(argv[i]);
        if (!DatabaseBuilder::build(QString::fromLocal8Bit(argv[2]), scripts, &error))
            return fail(error);
        return 0;
    }
    if (command == QLatin1String("help")) {
        if (argc != 4)
            return usage();
        // Text layout needs a GUI application but never a display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        if (!HelpPdf::render(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), &error))
            return fail(error);
        return 0;
    }
    return usage();
}

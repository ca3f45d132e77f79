#include "app/ApplicationSetup.h"
#include "app/CVendraApp.h"
#include "app/QtUiPort.h"
#include "project/ProgramFolder.h"
#include "support/UiPort.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    ApplicationSetup::beforeApplication();
    QApplication app(argc, argv);
    ApplicationSetup::installItalianTranslations(app);
    QApplication::setOrganizationName(QStringLiteral("Brellix"));
    QApplication::setApplicationName(QStringLiteral("Zanfira50"));

    QStringList args = QApplication::arguments();
    bool missingValue = false;
    ProgramFolder::setCurrent(ProgramFolder::fromArguments(args, &missingValue));
    CVendraApp::Options options;
    QString error;
    if (missingValue) {
        std::fprintf(stderr, "zanfira: --program-folder vuole una cartella\n");
        return 2;
    }
    if (!CVendraApp::parseArguments(args, &options, &error)) {
        std::fprintf(stderr, "zanfira: %s\n", qPrintable(error));
        return 2;
    }

    installUiPort(std::make_unique<QtUiPort>());
    int status = 0;
    {
        CVendraApp vendra;
        if (!vendra.InitInstance(options))
            return 0;
        status = app.exec();
        vendra.ExitInstance();
    }
    installUiPort(nullptr);
    return status;
}

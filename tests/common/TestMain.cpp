// The entry point of every test binary. ZANFIRA_TEST_APPLICATION, set per
// test folder by zanfira_test_folder(), picks the application object its
// tests need: 1 Qt Core (processes, timers, sockets), 2 Qt GUI (pictures,
// painting), 3 Qt Widgets (windows, dialogs), 4 Qt Widgets set up as the
// desktop client sets itself up (embedded browser, Italian translations).
#if ZANFIRA_TEST_APPLICATION >= 3
#include <QApplication>
using TestApplication = QApplication;
#elif ZANFIRA_TEST_APPLICATION == 2
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif
#if ZANFIRA_TEST_APPLICATION == 4
#include "app/ApplicationSetup.h"
#endif

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Windows and pictures are drawn off screen unless a platform is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The embedded browser runs here only without its sandbox (tests may run
    // as root) and without the GPU.
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    // The recent-project list and every other setting go to a folder of this
    // run, never to the user's own settings.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    // The user's documents (where new projects go) are a folder of this run too.
    {
        QFile dirs(settings.filePath(QStringLiteral("user-dirs.dirs")));
        if (dirs.open(QIODevice::WriteOnly))
            dirs.write("XDG_DOCUMENTS_DIR=\"" + settings.filePath(QStringLiteral("Documenti")).toUtf8() + "\"\n");
    }

#if ZANFIRA_TEST_APPLICATION == 4
    ApplicationSetup::beforeApplication();
#endif
    TestApplication app(argc, argv);
#if ZANFIRA_TEST_APPLICATION == 4
    ApplicationSetup::installItalianTranslations(app);
#endif
    TestApplication::setOrganizationName(QStringLiteral("Brellix"));
    TestApplication::setApplicationName(QStringLiteral("Zanfira50"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "app/ApplicationSetup.h"

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
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

    // The embedded preview browser runs under the offscreen platform too.
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    ApplicationSetup::beforeApplication();
    QApplication app(argc, argv);
    ApplicationSetup::installItalianTranslations(app);
    QApplication::setOrganizationName(QStringLiteral("Brellix"));
    QApplication::setApplicationName(QStringLiteral("Zanfira50"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

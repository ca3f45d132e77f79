#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // The recent-project list and every other setting go to a folder of this
    // run, never to the user's own settings.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());

    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Brellix"));
    QCoreApplication::setApplicationName(QStringLiteral("Zanfira50"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

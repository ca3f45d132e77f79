#pragma once

#include "app/CMainFrame.h"
#include "app/CVendraApp.h"
#include "common/DbTestTools.h"
#include "common/ScriptedUiPort.h"
#include "common/TempProject.h"
#include "project/ProgramFolder.h"
#include "project/RecentProjects.h"

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QSettings>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace apptest {

using testtools::clearRecentProjects;
using testtools::execSql;
using testtools::scalarText;

// Types text into a widget as key presses, one character at a time.
inline void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        Qt::Key key = c.isLetter() ? Qt::Key(Qt::Key_A + (c.toUpper().unicode() - 'A'))
                                   : Qt::Key(c.unicode());
        Qt::KeyboardModifiers mods = c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
        QKeyEvent press(QEvent::KeyPress, key, mods, QString(c));
        QCoreApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods, QString(c));
        QCoreApplication::sendEvent(widget, &release);
    }
}

// Lets the event loop run for a while.
inline void waitMs(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// An application with a scripted UI port, no splash, an empty recent list
// and the test program folder. Modal dialogs go to the handler the test
// sets (rejected when there is none).
class AppFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        clearRecentProjects();
        // Every test starts with the editors' windows at their own sizes.
        QSettings().remove(QStringLiteral("Finestre"));
        ProgramFolder::setCurrent(TempProject::testProgramFolder());
        app = std::make_unique<CVendraApp>();
        app->setDialogRunner([this](QDialog &dlg) {
            dialogs.append(QString::fromUtf8(dlg.metaObject()->className()));
            return onDialog ? onDialog(dlg) : int(QDialog::Rejected);
        });
    }
    void TearDown() override
    {
        app.reset();
        clearRecentProjects();
    }

    // Starts the application on a project given as on the command line.
    bool startOn(const QString &path)
    {
        CVendraApp::Options options;
        options.splash = false;
        options.project = path;
        return app->InitInstance(options);
    }
    bool startNormally()
    {
        CVendraApp::Options options;
        options.splash = false;
        return app->InitInstance(options);
    }
    CMainFrame &frame() { return *app->mainFrame(); }

    ScopedScriptedUi scripted;
    std::unique_ptr<CVendraApp> app;
    std::function<int(QDialog &)> onDialog;
    QStringList dialogs;
};

} // namespace apptest

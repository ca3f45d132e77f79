#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <memory>

class QPrinter;
class QWidget;

// Every message box, question and chooser of the program goes through this
// interface. The window build installs a Qt implementation (QtUiPort, app
// layer); tests install a scripted one that records each call and answers
// from a queue.
class UiPort {
public:
    enum class Icon { None, Stop, Exclamation, Information, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
    enum class Answer { Ok, Cancel, Yes, No, Retry };

    virtual ~UiPort() = default;

    // A message with one or more buttons; returns the button pressed.
    virtual Answer message(const QString &title, const QString &text, Icon icon,
                           Buttons buttons) = 0;

    // Convenience forms of message().
    void tell(const QString &title, const QString &text, Icon icon)
    {
        message(title, text, icon, Buttons::Ok);
    }
    bool ask(const QString &title, const QString &text, Icon icon = Icon::Question)
    {
        return message(title, text, icon, Buttons::YesNo) == Answer::Yes;
    }

    // Choosers return an empty string (or an invalid colour, or false) when
    // the user cancels. filter uses Qt's "Immagini (*.jpg *.gif)" syntax.
    virtual QString chooseOpenFile(const QString &title, const QString &startFolder,
                                   const QString &filter) = 0;
    virtual QString chooseSaveFile(const QString &title, const QString &startPath,
                                   const QString &filter) = 0;
    virtual QString chooseFolder(const QString &title, const QString &startFolder) = 0;
    virtual QColor chooseColour(const QColor &initial) = 0;
    virtual bool choosePrinter(QPrinter &printer) = 0;

    // The window that owns dialogs shown by the implementation (may be null).
    virtual void setParentWindow(QWidget *) {}
};

// The port in use by the whole program. Never null once installed; the
// default is a port that answers every message with its first button and
// cancels every chooser, so code run without a window never blocks.
UiPort &ui();
// Installs a port and returns the previous one (ownership passes in and out).
std::unique_ptr<UiPort> installUiPort(std::unique_ptr<UiPort> port);

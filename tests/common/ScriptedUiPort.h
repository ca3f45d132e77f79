#pragma once

#include "support/UiPort.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <deque>
#include <memory>
#include <vector>

// A UiPort for tests: records every call (kind, title, text, icon, buttons)
// and answers from queues filled by the test. When a queue is empty the port
// gives the same answer as the silent default port (the first button, a
// cancelled chooser) and, in strict mode, also records a test failure.
class ScriptedUiPort : public UiPort {
public:
    enum class Kind { Message, OpenFile, SaveFile, Folder, Colour, Printer };

    struct Call {
        Kind kind = Kind::Message;
        QString title;
        QString text;          // message text, or the chooser's start folder/path
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        Answer answer = Answer::Ok;
        QString filter;        // the file chooser's filter
    };

    void queueAnswer(Answer answer) { m_answers.push_back(answer); }
    void queuePath(const QString &path) { m_paths.push_back(path); }
    void queueColour(const QColor &colour) { m_colours.push_back(colour); }
    void queuePrinter(bool accepted) { m_printers.push_back(accepted); }

    // In strict mode a call that finds its queue empty fails the running test.
    void setStrict(bool strict) { m_strict = strict; }

    const std::vector<Call> &calls() const { return m_calls; }
    std::vector<Call> messages() const;
    QStringList messageTexts() const;
    // The last message, or an empty Call when there was none.
    Call lastMessage() const;
    int pendingAnswers() const { return int(m_answers.size()); }
    void clearCalls() { m_calls.clear(); }

    Answer message(const QString &title, const QString &text, Icon icon,
                   Buttons buttons) override;
    QString chooseOpenFile(const QString &title, const QString &startFolder,
                           const QString &filter) override;
    QString chooseSaveFile(const QString &title, const QString &startPath,
                           const QString &filter) override;
    QString chooseFolder(const QString &title, const QString &startFolder) override;
    QColor chooseColour(const QColor &initial) override;
    bool choosePrinter(QPrinter &printer) override;

private:
    QString nextPath(Kind kind, const QString &title, const QString &start, const QString &filter = {});

    std::vector<Call> m_calls;
    std::deque<Answer> m_answers;
    std::deque<QString> m_paths;
    std::deque<QColor> m_colours;
    std::deque<bool> m_printers;
    bool m_strict = false;
};

// Installs a ScriptedUiPort for the lifetime of the object and puts the
// previous port back afterwards.
class ScopedScriptedUi {
public:
    ScopedScriptedUi();
    ~ScopedScriptedUi();
    ScopedScriptedUi(const ScopedScriptedUi &) = delete;
    ScopedScriptedUi &operator=(const ScopedScriptedUi &) = delete;

    ScriptedUiPort &port() { return *m_port; }
    ScriptedUiPort *operator->() { return m_port; }

private:
    ScriptedUiPort *m_port;
    std::unique_ptr<UiPort> m_previous;
};

const char *iconName(UiPort::Icon icon);

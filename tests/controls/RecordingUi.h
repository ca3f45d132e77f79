#pragma once

#include "support/UiPort.h"

#include <deque>
#include <memory>
#include <vector>

// A UI port for the control tests: records each message and answers from a
// queue (Ok when it is empty).
class RecordingUi : public UiPort {
public:
    struct Message {
        QString title;
        QString text;
        Icon icon;
    };

    std::vector<Message> messages;
    std::deque<Answer> answers;

    Answer message(const QString &title, const QString &text, Icon icon, Buttons) override
    {
        messages.push_back({title, text, icon});
        if (answers.empty())
            return Answer::Ok;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    QString chooseOpenFile(const QString &, const QString &, const QString &) override { return {}; }
    QString chooseSaveFile(const QString &, const QString &, const QString &) override { return {}; }
    QString chooseFolder(const QString &, const QString &) override { return {}; }
    QColor chooseColour(const QColor &) override { return {}; }
    bool choosePrinter(QPrinter &) override { return false; }
};

// Installs a RecordingUi for the lifetime of the object.
class ScopedRecordingUi {
public:
    ScopedRecordingUi()
    {
        auto port = std::make_unique<RecordingUi>();
        m_port = port.get();
        m_previous = installUiPort(std::move(port));
    }
    ~ScopedRecordingUi() { installUiPort(std::move(m_previous)); }
    ScopedRecordingUi(const ScopedRecordingUi &) = delete;
    ScopedRecordingUi &operator=(const ScopedRecordingUi &) = delete;

    RecordingUi *operator->() const { return m_port; }

private:
    RecordingUi *m_port = nullptr;
    std::unique_ptr<UiPort> m_previous;
};

#include "ScriptedUiPort.h"

#include <gtest/gtest.h>

namespace {

UiPort::Answer firstButton(UiPort::Buttons buttons)
{
    switch (buttons) {
    case UiPort::Buttons::YesNo:
    case UiPort::Buttons::YesNoCancel:
        return UiPort::Answer::Yes;
    case UiPort::Buttons::RetryCancel:
        return UiPort::Answer::Cancel;
    default:
        return UiPort::Answer::Ok;
    }
}

} // namespace

const char *iconName(UiPort::Icon icon)
{
    switch (icon) {
    case UiPort::Icon::Stop: return "stop";
    case UiPort::Icon::Exclamation: return "exclamation";
    case UiPort::Icon::Information: return "information";
    case UiPort::Icon::Question: return "question";
    default: return "none";
    }
}

std::vector<ScriptedUiPort::Call> ScriptedUiPort::messages() const
{
    std::vector<Call> out;
    for (const Call &c : m_calls) {
        if (c.kind == Kind::Message)
            out.push_back(c);
    }
    return out;
}

QStringList ScriptedUiPort::messageTexts() const
{
    QStringList out;
    for (const Call &c : m_calls) {
        if (c.kind == Kind::Message)
            out << c.text;
    }
    return out;
}

ScriptedUiPort::Call ScriptedUiPort::lastMessage() const
{
    for (auto it = m_calls.rbegin(); it != m_calls.rend(); ++it) {
        if (it->kind == Kind::Message)
            return *it;
    }
    return {};
}

UiPort::Answer ScriptedUiPort::message(const QString &title, const QString &text, Icon icon,
                                       Buttons buttons)
{
    Call call{Kind::Message, title, text, icon, buttons, firstButton(buttons)};
    if (!m_answers.empty()) {
        call.answer = m_answers.front();
        m_answers.pop_front();
    } else if (m_strict && buttons != Buttons::Ok) {
        ADD_FAILURE() << "unexpected question: " << title.toStdString() << " / "
                      << text.toStdString();
    }
    m_calls.push_back(call);
    return call.answer;
}

QString ScriptedUiPort::nextPath(Kind kind, const QString &title, const QString &start, const QString &filter)
{
    m_calls.push_back(Call{kind, title, start, Icon::None, Buttons::Ok, Answer::Ok, filter});
    if (m_paths.empty()) {
        if (m_strict)
            ADD_FAILURE() << "unexpected chooser: " << title.toStdString();
        m_calls.back().answer = Answer::Cancel;
        return {};
    }
    QString path = m_paths.front();
    m_paths.pop_front();
    if (path.isEmpty())
        m_calls.back().answer = Answer::Cancel;
    return path;
}

QString ScriptedUiPort::chooseOpenFile(const QString &title, const QString &startFolder,
                                       const QString &filter)
{
    return nextPath(Kind::OpenFile, title, startFolder, filter);
}

QString ScriptedUiPort::chooseSaveFile(const QString &title, const QString &startPath,
                                       const QString &filter)
{
    return nextPath(Kind::SaveFile, title, startPath, filter);
}

QString ScriptedUiPort::chooseFolder(const QString &title, const QString &startFolder)
{
    return nextPath(Kind::Folder, title, startFolder);
}

QColor ScriptedUiPort::chooseColour(const QColor &initial)
{
    m_calls.push_back(Call{Kind::Colour, {}, initial.name(), Icon::None, Buttons::Ok, Answer::Ok});
    if (m_colours.empty()) {
        if (m_strict)
            ADD_FAILURE() << "unexpected colour chooser";
        m_calls.back().answer = Answer::Cancel;
        return {};
    }
    QColor c = m_colours.front();
    m_colours.pop_front();
    if (!c.isValid())
        m_calls.back().answer = Answer::Cancel;
    return c;
}

bool ScriptedUiPort::choosePrinter(QPrinter &)
{
    m_calls.push_back(Call{Kind::Printer, {}, {}, Icon::None, Buttons::OkCancel, Answer::Ok});
    if (m_printers.empty()) {
        if (m_strict)
            ADD_FAILURE() << "unexpected printer chooser";
        m_calls.back().answer = Answer::Cancel;
        return false;
    }
    bool ok = m_printers.front();
    m_printers.pop_front();
    if (!ok)
        m_calls.back().answer = Answer::Cancel;
    return ok;
}

ScopedScriptedUi::ScopedScriptedUi()
{
    auto port = std::make_unique<ScriptedUiPort>();
    m_port = port.get();
    m_previous = installUiPort(std::move(port));
}

ScopedScriptedUi::~ScopedScriptedUi()
{
    installUiPort(std::move(m_previous));
}

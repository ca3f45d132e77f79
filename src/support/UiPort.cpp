#include "UiPort.h"

namespace {

// Used until a real port is installed: headless runs never block on a dialog.
class SilentUiPort : public UiPort {
public:
    Answer message(const QString &, const QString &, Icon, Buttons buttons) override
    {
        switch (buttons) {
        case Buttons::YesNo:
        case Buttons::YesNoCancel:
            return Answer::Yes;
        case Buttons::RetryCancel:
            return Answer::Cancel;
        default:
            return Answer::Ok;
        }
    }
    QString chooseOpenFile(const QString &, const QString &, const QString &) override { return {}; }
    QString chooseSaveFile(const QString &, const QString &, const QString &) override { return {}; }
    QString chooseFolder(const QString &, const QString &) override { return {}; }
    QColor chooseColour(const QColor &) override { return {}; }
    bool choosePrinter(QPrinter &) override { return false; }
};

std::unique_ptr<UiPort> &current()
{
    static std::unique_ptr<UiPort> port = std::make_unique<SilentUiPort>();
    return port;
}

} // namespace

UiPort &ui()
{
    return *current();
}

std::unique_ptr<UiPort> installUiPort(std::unique_ptr<UiPort> port)
{
    if (!port)
        port = std::make_unique<SilentUiPort>();
    std::swap(port, current());
    return port;
}

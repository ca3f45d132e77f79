#pragma once

#include <QString>
#include <QStyle>

#include <vector>

class CVendraApp;
class EditorHost;
class QWidget;

// Values the opener of an editor frame sets before the editor is built and
// that the hosted editor reads.
struct FrameParams {
    int secondary = 0;   // nonzero: closing the frame keeps the one-editor state
    int secondary2 = 0;  // second value of the same secondary use
    int textKind = 0;    // order texts: 0 conditions of sale, 1 customer notification
    int topicKind = 0;   // topics: 0 forum, 1 chat
};

// Builds an editor view for a child frame. The returned widget also
// implements EditorContract; it is owned by the frame.
using EditorFactory = QWidget *(*)(EditorHost &host, const FrameParams &params, QWidget *parent);
// Runs a command that opens a modal dialog instead of an editor window.
using DialogCommand = void (*)(EditorHost &host, QWidget *parent);

enum class FrameKind { Child, Maximised };

// One command of the application: where it sits in the menus, what window
// it opens and how. A command with neither a factory nor a dialog is not
// offered at all.
struct AppCommand {
    int id = 0;
    const char *menu = nullptr;     // top-level menu, "|" separates a submenu
    const char *text = nullptr;     // menu item text with its accelerator letter
    const char *title = nullptr;    // window title of the editor frame
    const char *statusTip = nullptr;
    QStyle::StandardPixmap icon = QStyle::SP_FileIcon;
    EditorFactory factory = nullptr;
    DialogCommand dialog = nullptr;
    FrameParams params = {};
    FrameKind frame = FrameKind::Child;
    bool needsCdViewer = false;
    bool separatorBefore = false;

    bool isAvailable() const { return factory || dialog; }
};

// The command table, in menu order.
const std::vector<AppCommand> &appCommands();
// The entry of a command id, or null.
const AppCommand *findAppCommand(int id);

#pragma once

#include <QString>

class QWidget;

// The record commands of the main toolbar that the open editor handles.
namespace RecordCommand {
constexpr int Filter = 32774;
constexpr int First = 32779;
constexpr int Previous = 32780;
constexpr int Next = 32781;
constexpr int Last = 32782;
constexpr int Insert = 32783;
constexpr int Delete = 32784;
constexpr int SaveNew = 32785;
constexpr int CancelChanges = 32787;
} // namespace RecordCommand

// Enabled and pressed state of one toolbar command.
struct CommandState {
    bool enabled = false;
    bool checked = false;
    bool operator==(const CommandState &) const = default;
};

// The contract of an editor toward its frame and the main window. Every
// editor view implements it; the frame applies the close rule chosen by
// closeRule() through the operations below, and the main window routes the
// record commands and the language change to the open editor.
class EditorContract {
public:
    enum class CloseRule {
        None,            // closes without any check
        RecordForm,      // insert warning, save unless in view mode 1, insert warning again
        SaveOrKeepOpen,  // unsaved changes and the save fails: keep open
        SaveThenClose,   // unsaved changes: save, then close whatever the result
        GridRows,        // pending row / save failure: keep open at the resume cell
        Languages,       // as GridRows, then reload the languages; none active: keep open
        FormsWithRows,   // pending row, insert warning, save, insert warning again
    };
    struct Cell {
        int row = -1;
        int column = -1;
        bool isValid() const { return row >= 0 && column >= 0; }
        bool operator==(const Cell &) const = default;
    };

    virtual ~EditorContract() = default;

    virtual QWidget *widget() = 0;

    virtual CloseRule closeRule() const { return CloseRule::None; }
    // Title of the "insert in progress" warning ("Inserimento prodotto" ...).
    virtual QString insertTitle() const { return {}; }
    virtual bool isInserting() const { return false; }
    virtual bool hasUnsavedChanges() const { return false; }
    // Writes the pending changes; false when validation or the write failed
    // (the editor has told the user why).
    virtual bool save() { return true; }
    // Grid editors: a new row still being typed, its validation (which
    // stores it), and the cell at which editing resumes when the frame
    // stays open.
    virtual bool hasPendingNewRow() const { return false; }
    virtual bool validatePendingRow() { return true; }
    virtual Cell resumeCell() const { return {}; }
    virtual void setCurrentCell(Cell) {}
    // Record forms: mode 1 is a view-only mode in which nothing is saved.
    virtual int viewMode() const { return 0; }

    // Called once the frame has decided to close, before the editor goes.
    virtual void frameClosing() {}

    // Editors that show texts in the current language re-read them when
    // the selector changes.
    virtual bool followsLanguage() const { return false; }
    virtual void refreshLanguage() {}

    // Commands of the toolbar handled by the editor. A command the editor
    // does not handle stays disabled.
    virtual bool handlesCommand(int) const { return false; }
    virtual bool isCommandEnabled(int) const { return false; }
    virtual bool isCommandChecked(int) const { return false; }
    virtual void runCommand(int) {}
};

#pragma once

#include <QString>

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

// A grid cell at which editing resumes after a refused close or row leave.
struct GridCell {
    int row = -1;
    int column = -1;
    bool isValid() const { return row >= 0 && column >= 0; }
    bool operator==(const GridCell &) const = default;
};

// What an editor offers to the child window that hosts it. The child
// window's close rule and the main window's language change use it; every
// editor view implements it (the defaults suit an editor with no checks).
class EditorContract {
public:
    virtual ~EditorContract() = default;

    // Insert in progress (navigation editors).
    virtual bool insertInProgress() const { return false; }
    // The form differs from the stored record.
    virtual bool hasUnsavedChanges() { return false; }
    // Stores the pending changes; false when validation refused them.
    virtual bool saveChanges() { return true; }

    // Grid editors: a new row has been typed but not stored yet; its
    // validation (which also stores it) returns success.
    virtual bool hasPendingNewRow() const { return false; }
    virtual bool validatePendingNewRow() { return true; }
    // The cell at which editing resumes when the close is refused.
    virtual GridCell resumeCell() const { return {}; }
    // Puts the grid's current cell back to resumeCell().
    virtual void resumeEditing() {}

    // Language change of the main window; only editors whose
    // refreshesOnLanguageChange() is true are told.
    virtual bool refreshesOnLanguageChange() const { return false; }
    virtual void refreshLanguage() {}

    // Record commands (toolbar ids of RecordCommand) the editor handles.
    virtual bool handlesRecordCommand(int) const { return false; }
    virtual CommandState recordCommandState(int) { return {}; }
    virtual void runRecordCommand(int) {}
};

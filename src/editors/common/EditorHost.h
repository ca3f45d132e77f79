#pragma once

#include "records/LanguageContext.h"

#include <QString>

class Database;

// Everything an editor takes from the window that hosts it: the open
// project's database and folder, the language services, and the reload of
// the language selector after the languages were edited.
class QWidget;

class EditorHost : public LanguageContext {
public:
    virtual Database &database() = 0;
    // The project folder, with a trailing separator.
    virtual QString projectFolder() const = 0;
    // Reloads the active languages into the selector; false when no
    // language is active (the selector is then left as it was).
    virtual bool reloadLanguages() = 0;
    // Shows view in a secondary frame of its own (the product variants):
    // closing it does not end the one-editor state. secondary is the
    // frame's nonzero secondary value. False when no frame could be made;
    // the caller then still owns view.
    virtual bool openSecondaryEditor(QWidget *view, int secondary)
    {
        (void)view;
        (void)secondary;
        return false;
    }
};

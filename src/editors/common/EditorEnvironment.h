#pragma once

#include <QString>

class Database;

// The language selector of the main window as the editors see it: the
// selected language, the default language of the configuration, and the
// way back to the default language (used before an insert). The main
// window implements it.
class LanguageContext {
public:
    virtual ~LanguageContext() = default;

    // Fills the selector with the active languages; false when none is
    // active (the selector is then left as it was).
    virtual bool LoadLanguages() = 0;
    // Empties the selector.
    virtual void ResetLanguages() = 0;
    virtual QString GetCurrentLanguageCode() const = 0;
    virtual QString GetDefaultLanguageCode() const = 0;
    virtual bool IsDefaultLanguage() const = 0;
    // Selects the default language without telling the open editor.
    virtual void SelectDefaultLanguage() = 0;
};

// What an editor is given when its frame creates it.
struct EditorEnvironment {
    Database *db = nullptr;               // the project database connection
    QString projectFolder;                // ends with a separator
    QString programFolder;
    LanguageContext *languages = nullptr;
    // Values the opener of the frame sets (see the product variants window,
    // the order texts and the topic editors).
    int secondary = 0;
    int secondary2 = 0;
    int textKind = 0;
    int topicKind = 0;
};

#pragma once

#include "common/ProjectDatabase.h"
#include "editors/common/EditorHost.h"

// A project folder holding a copy of the program folder's blank database,
// opened, with an editor host whose languages the test sets.
class EditorTestProject : public ProjectDatabase, public EditorHost {
public:
    QString current = QStringLiteral("it");
    QString defaultCode = QStringLiteral("it");
    int reloads = 0;
    bool reloadResult = true;

    QString currentLanguageCode() const override { return current; }
    QString defaultLanguageCode() const override { return defaultCode; }
    void selectDefaultLanguage() override { current = defaultCode; }
    Database &database() override { return db(); }
    QString projectFolder() const override { return folderPath(); }
    bool reloadLanguages() override
    {
        ++reloads;
        return !db().scalar(QStringLiteral("SELECT ID FROM Lingue WHERE Attivo=TRUE")).isNull();
    }
};

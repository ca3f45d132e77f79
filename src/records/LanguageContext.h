#pragma once

#include <QString>

// What a multilingual editor needs to know about the languages of the
// project: the language chosen in the main window's selector and the site's
// default language. The main window implements it.
class LanguageContext {
public:
    virtual ~LanguageContext() = default;

    virtual QString currentLanguageCode() const = 0;
    virtual QString defaultLanguageCode() const = 0;
    virtual bool isDefaultLanguage() const
    {
        return currentLanguageCode() == defaultLanguageCode();
    }
    // Selects the default language in the selector without notifying the
    // open editor of a language change.
    virtual void selectDefaultLanguage() = 0;
};

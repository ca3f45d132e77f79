#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class Database;

// The active languages of the project as the main window's selector holds
// them: sorted by their display text, one of them the default language of
// the configuration, one of them selected. Editors ask it for the current
// and the default language code.
class LanguageList {
public:
    struct Language {
        int id = 0;
        QString code;
        QString text;
    };

    // Reads the default language from the configuration and the active
    // languages. Returns false when no language is active; the list is then
    // left as it was. Otherwise the default row is selected.
    bool load(Database &db);
    // Empties the list (before another project is chosen).
    void reset();

    int count() const { return int(m_languages.size()); }
    bool isEmpty() const { return m_languages.empty(); }
    const Language &at(int row) const { return m_languages.at(std::size_t(row)); }
    QStringList displayTexts() const;

    // The configuration's default language identifier (0 when none).
    int defaultLanguageId() const { return m_defaultId; }
    // The row of the default language, -1 when the list is empty. When the
    // configured default is not among the active languages the first row
    // stands in for it, so that editors always have a fallback language.
    int defaultRow() const { return m_defaultRow; }
    // Whether the configured default language is among the active ones.
    bool hasConfiguredDefault() const { return m_configuredDefaultFound; }

    int currentRow() const { return m_currentRow; }
    // Selects a row (the selector's selection change). Out-of-range rows are ignored.
    void setCurrentRow(int row);
    // The row holding a language code, -1 when none.
    int rowOfCode(const QString &code) const;

    QString currentLanguageCode() const;
    QString defaultLanguageCode() const;
    bool isDefaultLanguage() const;
    // Selects the default row (callers do not treat it as a user's change).
    void selectDefaultLanguage();

private:
    std::vector<Language> m_languages;
    int m_defaultId = 0;
    int m_defaultRow = -1;
    int m_currentRow = -1;
    bool m_configuredDefaultFound = false;
};

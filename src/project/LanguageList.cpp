#include "LanguageList.h"

#include "data/Database.h"

#include <algorithm>

bool LanguageList::load(Database &db)
{
    int defaultId = 0;
    const QList<QVariantList> config =
        db.queryRows(QStringLiteral("SELECT IDLinguaPredefinita FROM Configurazione"));
    if (!config.isEmpty() && !config.first().isEmpty())
        defaultId = config.first().first().toInt();

    const QList<QVariantList> rows = db.queryRows(
        QStringLiteral("SELECT ID, Codice, Descrizione FROM Lingue WHERE Attivo=TRUE"));
    if (rows.isEmpty())
        return false;

    std::vector<Language> languages;
    languages.reserve(std::size_t(rows.size()));
    for (const QVariantList &row : rows)
        languages.push_back(Language{row.value(0).toInt(), row.value(1).toString(),
                                     row.value(2).toString()});
    // The selector sorts its rows by their text, without regard to case.
    std::stable_sort(languages.begin(), languages.end(), [](const Language &a, const Language &b) {
        return QString::compare(a.text, b.text, Qt::CaseInsensitive) < 0;
    });

    m_languages = std::move(languages);
    m_defaultId = defaultId;
    m_defaultRow = 0;
    m_configuredDefaultFound = false;
    for (int i = 0; i < count(); ++i) {
        if (m_languages[std::size_t(i)].id == defaultId) {
            m_defaultRow = i;
            m_configuredDefaultFound = true;
            break;
        }
    }
    m_currentRow = m_defaultRow;
    return true;
}

void LanguageList::reset()
{
    m_languages.clear();
    m_defaultId = 0;
    m_defaultRow = -1;
    m_currentRow = -1;
    m_configuredDefaultFound = false;
}

QStringList LanguageList::displayTexts() const
{
    QStringList out;
    for (const Language &l : m_languages)
        out << l.text;
    return out;
}

void LanguageList::setCurrentRow(int row)
{
    if (row >= 0 && row < count())
        m_currentRow = row;
}

int LanguageList::rowOfCode(const QString &code) const
{
    for (int i = 0; i < count(); ++i) {
        if (m_languages[std::size_t(i)].code.compare(code, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString LanguageList::currentLanguageCode() const
{
    return m_currentRow >= 0 ? m_languages[std::size_t(m_currentRow)].code : QString();
}

QString LanguageList::defaultLanguageCode() const
{
    return m_defaultRow >= 0 ? m_languages[std::size_t(m_defaultRow)].code : QString();
}

bool LanguageList::isDefaultLanguage() const
{
    return m_currentRow >= 0 && m_currentRow == m_defaultRow;
}

void LanguageList::selectDefaultLanguage()
{
    m_currentRow = m_defaultRow;
}

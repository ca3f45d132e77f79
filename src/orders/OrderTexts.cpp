#include "OrderTexts.h"

#include "data/NextId.h"
#include "data/SqlQuote.h"
#include "data/sets/CCondizioniVenditaSet.h"
#include "data/sets/CNotificaClienteSet.h"

namespace {

const QString kLanguage = QStringLiteral("CodiceLingua");
const QString kText = QStringLiteral("Testo");

QString languageCriteria(const QString &code)
{
    return kLanguage + QLatin1Char('=') + sqlQuote(code);
}

} // namespace

OrderTexts::OrderTexts(Database &db, int kind)
    : m_kind(kind == CustomerNotification ? CustomerNotification : SalesConditions)
{
    if (m_kind == CustomerNotification)
        m_set = std::make_unique<CNotificaClienteSet>(db);
    else
        m_set = std::make_unique<CCondizioniVenditaSet>(db);
    m_set->open();
}

OrderTexts::~OrderTexts() = default;

QString OrderTexts::load(const QString &language, const QString &fallbackLanguage)
{
    m_language = language;
    m_stored.clear();
    if (m_set->findFirst(languageCriteria(language))
        || (!fallbackLanguage.isEmpty() && m_set->findFirst(languageCriteria(fallbackLanguage))))
        m_stored = m_set->textValue(kText);
    return m_stored;
}

bool OrderTexts::save(const QString &text)
{
    if (!differs(text) || m_language.isEmpty())
        return false;
    try {
        if (m_set->findFirst(languageCriteria(m_language))) {
            m_set->edit();
        } else {
            const int id = nextId(*m_set);
            m_set->addNew();
            m_set->setValue(QStringLiteral("ID"), id);
            m_set->setValue(kLanguage, m_language);
        }
        m_set->setValue(kText, text);
        m_set->setValue(QStringLiteral("Modificato"), true);
        m_set->update();
    } catch (...) {
        if (m_set->editMode() != Recordset::EditMode::None)
            m_set->cancelUpdate();
        throw;
    }
    m_stored = text;
    return true;
}

#include "DictionaryEntries.h"

#include "data/Database.h"
#include "data/DeletedRecords.h"
#include "data/NextId.h"
#include "data/SqlQuote.h"
#include "data/sets/CDizionarioGenSet.h"
#include "data/sets/CDizionarioLinSet.h"

namespace {

QString textCriteria(int id, const QString &language)
{
    return QStringLiteral("IDCodice=%1 AND CodiceLingua=%2").arg(id).arg(sqlQuote(language));
}

void addText(CDizionarioLinSet &texts, int entryId, const QString &language,
             const QString &text)
{
    const int id = nextId(texts);
    texts.addNew();
    texts.setID(id);
    texts.setIDCodice(entryId);
    texts.setCodiceLingua(language);
    texts.setTesto(text);
    texts.setModificato(true);
    texts.update();
}

} // namespace

DictionaryEntries::DictionaryEntries(Database &db)
    : m_db(db)
{
}

QList<DictionaryEntries::Entry> DictionaryEntries::entries() const
{
    QList<Entry> out;
    CDizionarioGenSet set(m_db);
    set.open();
    for (; !set.isEOF(); set.moveNext())
        out.append({set.ID(), set.Codice()});
    return out;
}

QString DictionaryEntries::text(int id, const QString &language,
                                const QString &fallbackLanguage) const
{
    CDizionarioLinSet texts(m_db);
    texts.setFilter(QStringLiteral("IDCodice=%1").arg(id));
    texts.open();
    if (texts.findFirst(textCriteria(id, language))
        || (!fallbackLanguage.isEmpty() && texts.findFirst(textCriteria(id, fallbackLanguage))))
        return texts.Testo();
    return {};
}

DictionaryEntries::CodeCheck DictionaryEntries::checkCode(const QString &code, int exceptId) const
{
    const QString upper = normalisedCode(code);
    if (upper.isEmpty())
        return CodeCheck::Empty;
    CDizionarioGenSet set(m_db);
    set.setFilter(QStringLiteral("Codice=%1").arg(sqlQuote(upper)));
    set.open();
    for (; !set.isEOF(); set.moveNext())
        if (set.ID() != exceptId)
            return CodeCheck::Duplicate;
    return CodeCheck::Ok;
}

int DictionaryEntries::insert(const QString &code, const QString &text, const QString &language,
                              const QString &defaultLanguage)
{
    Transaction tx(m_db);
    CDizionarioGenSet entries(m_db);
    entries.open();
    const int id = nextId(entries);
    entries.addNew();
    entries.setID(id);
    entries.setCodice(normalisedCode(code));
    entries.setModificato(true);
    entries.update();

    CDizionarioLinSet texts(m_db);
    texts.open();
    addText(texts, id, language, text);
    if (!defaultLanguage.isEmpty() && language.compare(defaultLanguage, Qt::CaseInsensitive) != 0)
        addText(texts, id, defaultLanguage, text);
    tx.commit();
    return id;
}

void DictionaryEntries::save(int id, const QString &code, const QString &text,
                             const QString &language)
{
    Transaction tx(m_db);
    CDizionarioGenSet entries(m_db);
    entries.open();
    if (entries.findFirst(QStringLiteral("ID=%1").arg(id))) {
        entries.edit();
        entries.setCodice(normalisedCode(code));
        entries.setModificato(true);
        entries.update();
    }
    CDizionarioLinSet texts(m_db);
    texts.open();
    if (texts.findFirst(textCriteria(id, language))) {
        texts.edit();
        texts.setTesto(text);
        texts.setModificato(true);
        texts.update();
    } else {
        addText(texts, id, language, text);
    }
    tx.commit();
}

void DictionaryEntries::remove(int id)
{
    Transaction tx(m_db);
    CDizionarioLinSet texts(m_db);
    texts.setFilter(QStringLiteral("IDCodice=%1").arg(id));
    texts.open();
    while (!texts.isEOF()) {
        logDeletedRecord(m_db, QString::fromLatin1(CDizionarioLinSet::Table), texts.ID());
        texts.deleteCurrent();
        texts.moveNext();
    }
    CDizionarioGenSet entries(m_db);
    entries.open();
    if (entries.findFirst(QStringLiteral("ID=%1").arg(id))) {
        logDeletedRecord(m_db, QString::fromLatin1(CDizionarioGenSet::Table), id);
        entries.deleteCurrent();
    }
    tx.commit();
}

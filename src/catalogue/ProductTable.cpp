#include "ProductTable.h"

#include "records/LanguageContext.h"

#include "data/Database.h"
#include "data/SqlQuote.h"
#include "data/sets/CProdottiLingueSet.h"

#include <algorithm>

namespace {

const char *descriptionColumn(ProductTable::Description which)
{
    switch (which) {
    case ProductTable::Description::Invoice: return "DescrizioneFattura";
    case ProductTable::Description::Short: return "DescrizioneBreve";
    case ProductTable::Description::Long: return "DescrizioneEstesa";
    case ProductTable::Description::Name: break;
    }
    return "Nome";
}

std::optional<double> optionalNumber(const QVariant &v)
{
    if (v.isNull())
        return std::nullopt;
    return v.toDouble();
}

} // namespace

ProductTable::ProductTable(Database &db, LanguageContext &languages) : m_db(db), m_languages(languages)
{
}

void ProductTable::setCategory(int categoryId)
{
    m_category = categoryId;
    m_ids.clear();
    const QString sql = categoryId == 0
        ? QStringLiteral("SELECT ID FROM Prodotti ORDER BY Ordine, ID")
        : QStringLiteral("SELECT Prodotti.ID FROM Prodotti INNER JOIN CategorieProdotti ON "
                         "Prodotti.ID=CategorieProdotti.IDProdotto WHERE CategorieProdotti.IDCategoria=%1 "
                         "ORDER BY Prodotti.Ordine, Prodotti.ID")
              .arg(categoryId);
    for (const QVariantList &row : m_db.queryRows(sql)) {
        const int id = row.value(0).toInt();
        // A product linked twice to one category is listed once.
        if (!m_ids.contains(id))
            m_ids.append(id);
    }
    fill(0);
}

void ProductTable::setDescription(Description which)
{
    m_description = which;
    fill(m_first);
}

int ProductTable::languageRowId(int productId)
{
    for (const QString &language : {m_languages.currentLanguageCode(), m_languages.defaultLanguageCode()}) {
        const QVariant id = m_db.scalar(
            QStringLiteral("SELECT ID FROM ProdottiLingue WHERE IDProdotto=%1 AND CodiceLingua=%2")
                .arg(productId)
                .arg(sqlQuote(language)));
        if (!id.isNull())
            return id.toInt();
    }
    return 0;
}

ProductTable::Row ProductTable::readRow(int productId)
{
    Row row;
    row.id = productId;
    row.code = m_db.scalar(QStringLiteral("SELECT Codice FROM Prodotti WHERE ID=%1").arg(productId)).toString();
    const int languageId = languageRowId(productId);
    if (languageId == 0)
        return row;
    const auto values = m_db.queryRows(
        QStringLiteral("SELECT %1, Prezzo1, Prezzo2, Prezzo3, Prezzo4 FROM ProdottiLingue WHERE ID=%2")
            .arg(QLatin1String(descriptionColumn(m_description)))
            .arg(languageId));
    if (values.isEmpty())
        return row;
    row.description = values[0].value(0).toString();
    for (int i = 0; i < 4; ++i)
        row.prices[i] = optionalNumber(values[0].value(i + 1));
    return row;
}

void ProductTable::fill(int first)
{
    m_rows.clear();
    m_first = std::clamp(first, 0, std::max(0, recordCount() - kWindowRows));
    for (int i = m_first; i < recordCount() && m_rows.size() < kWindowRows; ++i)
        m_rows.append(readRow(m_ids[i]));
}

int ProductTable::lineUp()
{
    if (m_first == 0)
        return 0;
    --m_first;
    m_rows.prepend(readRow(m_ids[m_first]));
    if (m_rows.size() > kWindowRows)
        m_rows.removeLast();
    return m_first + 1;
}

int ProductTable::lineDown()
{
    const int next = m_first + int(m_rows.size());
    if (next >= recordCount())
        return 0;
    m_rows.append(readRow(m_ids[next]));
    if (m_rows.size() > kWindowRows) {
        m_rows.removeFirst();
        ++m_first;
    }
    return next - (kWindowRows - 1);
}

int ProductTable::pageDown()
{
    int next = m_first + int(m_rows.size());
    int read = 0;
    while (read < kWindowRows && next < recordCount()) {
        m_rows.append(readRow(m_ids[next]));
        if (m_rows.size() > kWindowRows) {
            m_rows.removeFirst();
            ++m_first;
        }
        ++next;
        ++read;
    }
    if (next >= recordCount())
        return std::max(0, recordCount() - kWindowRows);
    return next - 1 - (kWindowRows - 1);
}

int ProductTable::pageUp()
{
    int read = 0;
    while (read < kWindowRows && m_first > 0) {
        --m_first;
        m_rows.prepend(readRow(m_ids[m_first]));
        if (m_rows.size() > kWindowRows)
            m_rows.removeLast();
        ++read;
    }
    return m_first == 0 ? 1 : m_first + 1;
}

int ProductTable::thumb(int position)
{
    // The window always shows consecutive records: a thumb near the end
    // shows the last full window rather than mixing old and new rows.
    fill(position - 1);
    if (m_first + kWindowRows >= recordCount())
        return std::max(0, recordCount() - kWindowRows);
    return m_first;
}

ProductTable::WriteResult ProductTable::writePrices(int productId, const PriceEdit (&prices)[4])
{
    if (std::none_of(std::begin(prices), std::end(prices), [](const PriceEdit &p) { return p.edited; }))
        return WriteResult::Unchanged;
    const int languageId = languageRowId(productId);
    if (languageId == 0)
        return WriteResult::NoLanguageRow;
    CProdottiLingueSet row(m_db);
    row.setFilter(QStringLiteral("ID=%1").arg(languageId));
    row.open();
    if (row.isEOF())
        return WriteResult::NoLanguageRow;
    bool differs = false;
    for (int i = 0; i < 4; ++i) {
        const QString column = QStringLiteral("Prezzo%1").arg(i + 1);
        const std::optional<double> stored = optionalNumber(row.value(column));
        const std::optional<double> &typed = prices[i].value;
        if (prices[i].edited && (stored.has_value() != typed.has_value() || (stored && *stored != *typed)))
            differs = true;
    }
    if (!differs)
        return WriteResult::Unchanged;
    row.edit();
    for (int i = 0; i < 4; ++i) {
        if (!prices[i].edited)
            continue;
        const QString column = QStringLiteral("Prezzo%1").arg(i + 1);
        if (prices[i].value)
            row.setValue(column, *prices[i].value);
        else
            row.setNull(column);
    }
    row.setModificato(true);
    row.update();
    for (Row &shown : m_rows)
        if (shown.id == productId)
            shown = readRow(productId);
    return WriteResult::Written;
}

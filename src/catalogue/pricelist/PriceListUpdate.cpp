#include "catalogue/pricelist/PriceListUpdate.h"

#include "data/Database.h"
#include "data/sets/CProdottiLingueSet.h"

#include <QList>
#include <QStringList>
#include <QVariantList>

namespace {

QString productQuery(int categoryId)
{
    return categoryId == 0
        ? QStringLiteral("SELECT DISTINCT IDProdotto FROM CategorieProdotti ORDER BY IDProdotto")
        : QStringLiteral("SELECT DISTINCT IDProdotto FROM CategorieProdotti WHERE IDCategoria=%1 ORDER BY IDProdotto")
              .arg(categoryId);
}

} // namespace

double PriceListUpdate::apply(double price, double percentage)
{
    return (percentage + 100.0) * 0.01 * price;
}

int PriceListUpdate::productCount(Database &db, int categoryId)
{
    return int(db.queryRows(productQuery(categoryId)).size());
}

QString PriceListUpdate::doneText(const Report &report)
{
    return DoneText + QStringLiteral("\nPrezzi modificati: %1 (prodotti aggiornati: %2).")
                          .arg(report.prices)
                          .arg(report.products);
}

QString PriceListUpdate::noProductsText(int categoryId)
{
    return categoryId == 0 ? NoLinkedProductsText : NoProductsText;
}

PriceListUpdate::Report PriceListUpdate::run(Database &db, const Options &o,
                                             const std::function<void(int, int)> &progress)
{
    const QList<QVariantList> products = db.queryRows(productQuery(o.categoryId));
    const int count = int(products.size());
    QStringList columns;
    for (int list = 1; list <= 4; ++list)
        if (o.list == AllLists || o.list == list)
            columns << QStringLiteral("Prezzo%1").arg(list);
    if (o.promotional)
        columns << QStringLiteral("PrezzoPromozionale");

    Report report;
    Transaction transaction(db);
    CProdottiLingueSet rows(db);
    for (int i = 0; i < count; ++i) {
        rows.setFilter(QStringLiteral("IDProdotto=%1").arg(products.at(i).value(0).toInt()));
        if (rows.isOpen())
            rows.requery();
        else
            rows.open();
        bool any = false;
        for (; !rows.isEOF(); rows.moveNext()) {
            rows.edit();
            for (const QString &column : columns) {
                if (rows.isNull(column))
                    continue;
                const double old = rows.doubleValue(column);
                const double changed = apply(old, o.percentage);
                rows.setValue(column, changed);
                if (changed != old)
                    ++report.prices;
            }
            rows.setModificato(true);
            rows.update();
            ++report.rows;
            any = true;
        }
        if (any)
            ++report.products;
        if (progress)
            progress(i + 1, count);
    }
    rows.close();
    transaction.commit();
    return report;
}

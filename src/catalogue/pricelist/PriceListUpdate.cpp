#include "catalogue/pricelist/PriceListUpdate.h"

#include "data/Database.h"
#include "data/sets/CProdottiLingueSet.h"

#include <QList>
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

int PriceListUpdate::run(Database &db, const Options &o,
                         const std::function<void(int, int)> &progress)
{
    const QList<QVariantList> products = db.queryRows(productQuery(o.categoryId));
    const int count = int(products.size());
    Transaction transaction(db);
    CProdottiLingueSet rows(db);
    int changed = 0;
    for (int i = 0; i < count; ++i) {
        rows.setFilter(QStringLiteral("IDProdotto=%1").arg(products.at(i).value(0).toInt()));
        if (rows.isOpen())
            rows.requery();
        else
            rows.open();
        for (; !rows.isEOF(); rows.moveNext()) {
            rows.edit();
            if (o.list == AllLists || o.list == 1)
                rows.setPrezzo1(apply(rows.Prezzo1(), o.percentage));
            if (o.list == AllLists || o.list == 2)
                rows.setPrezzo2(apply(rows.Prezzo2(), o.percentage));
            if (o.list == AllLists || o.list == 3)
                rows.setPrezzo3(apply(rows.Prezzo3(), o.percentage));
            if (o.list == AllLists || o.list == 4)
                rows.setPrezzo4(apply(rows.Prezzo4(), o.percentage));
            if (o.promotional)
                rows.setPrezzoPromozionale(apply(rows.PrezzoPromozionale(), o.percentage));
            rows.setModificato(true);
            rows.update();
            ++changed;
        }
        if (progress)
            progress(i + 1, count);
    }
    rows.close();
    transaction.commit();
    return changed;
}

#include "CategoryTree.h"

#include "data/Database.h"

#include <QSet>

CategoryTree::CategoryTree(Database &db, LanguageContext &languages, const QString &projectFolder)
    : TreeRecords(db, languages, projectFolder, categoryTables())
{
}

TreeTables CategoryTree::categoryTables()
{
    return TreeTables{};
}

int CategoryTree::imageWidth() const
{
    const QVariant v =
        database().scalar(QStringLiteral("SELECT LarghezzaIconaCategorie FROM Configurazione"));
    return v.isNull() ? 0 : v.toInt();
}

void CategoryTree::deleteRows(const QString &table, const QString &where)
{
    Database &db = database();
    const QList<QVariantList> rows =
        db.queryRows(QStringLiteral("SELECT ID FROM %1 WHERE %2").arg(table, where));
    if (rows.isEmpty())
        return;
    for (const QVariantList &r : rows)
        logDeleted(table, r.value(0).toInt());
    db.execute(QStringLiteral("DELETE FROM %1 WHERE %2").arg(table, where));
}

void CategoryTree::deleteDependants(const QList<int> &ids)
{
    TreeRecords::deleteDependants(ids);

    Database &db = database();
    const QString inDeleted = QStringLiteral("IDCategoria IN (%1)").arg(idList(ids));
    QList<int> products;
    for (const QVariantList &r : db.queryRows(
             QStringLiteral("SELECT DISTINCT IDProdotto FROM CategorieProdotti WHERE %1").arg(inDeleted)))
        products.append(r.value(0).toInt());
    deleteRows(QStringLiteral("CategorieProdotti"), inDeleted);

    // A product still linked to a surviving category stays.
    for (int product : products) {
        const QVariant link = db.scalar(
            QStringLiteral("SELECT ID FROM CategorieProdotti WHERE IDProdotto=%1").arg(product));
        if (link.isNull())
            deleteProduct(product);
    }
}

void CategoryTree::deleteProduct(int productId)
{
    deleteRows(QStringLiteral("ProdottiLingue"), QStringLiteral("IDProdotto=%1").arg(productId));
    deleteRows(QStringLiteral("ParoleChiave"), QStringLiteral("Tipo=1 AND IDRecord=%1").arg(productId));
    deleteRows(QStringLiteral("ProdottiColori"), QStringLiteral("IDProdotto=%1").arg(productId));
    deleteRows(QStringLiteral("CategorieProdotti"), QStringLiteral("IDProdotto=%1").arg(productId));
    deleteRows(QStringLiteral("Prodotti"), QStringLiteral("ID=%1").arg(productId));
}

#include "CategoryTree.h"

#include "data/Database.h"
#include "data/DeletedRecords.h"


CategoryTree::CategoryTree(Database &db, LanguageContext &languages, const QString &projectFolder)
    : TreeRecords(db, languages, projectFolder, categoryTables()), m_projectFolder(projectFolder)
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

void CategoryTree::deleteDependants(const QList<int> &ids)
{
    TreeRecords::deleteDependants(ids);

    Database &db = database();
    const QString inDeleted = QStringLiteral("IDCategoria IN (%1)").arg(idList(ids));
    QList<int> products;
    for (const QVariantList &r : db.queryRows(
             QStringLiteral("SELECT DISTINCT IDProdotto FROM CategorieProdotti WHERE %1").arg(inDeleted)))
        products.append(r.value(0).toInt());
    deleteLogged(db, QStringLiteral("CategorieProdotti"), inDeleted);

    // A product still linked to a surviving category stays.
    m_products.emplace(db, m_projectFolder);
    for (int product : products) {
        const QVariant link = db.scalar(
            QStringLiteral("SELECT ID FROM CategorieProdotti WHERE IDProdotto=%1").arg(product));
        if (link.isNull())
            m_products->deleteProduct(product);
    }
}

void CategoryTree::dependantsDeleted()
{
    if (m_products)
        m_products->removeFiles();
    m_products.reset();
}

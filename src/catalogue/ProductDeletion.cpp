#include "catalogue/ProductDeletion.h"

#include "catalogue/ProductFiles.h"
#include "catalogue/ProductPictures.h"
#include "data/Database.h"
#include "data/DeletedRecords.h"
#include "data/Recordset.h"

#include <QStringList>

namespace {

QString idList(const QList<int> &ids)
{
    QStringList out;
    for (int id : ids)
        out << QString::number(id);
    return out.join(QLatin1Char(','));
}

} // namespace

ProductDeletion::ProductDeletion(Database &db, const QString &projectFolder)
    : m_db(db)
{
    m_files.projectFolder = ProductPictures::withSeparator(projectFolder);
}

QList<int> ProductDeletion::familyOf(int productId)
{
    QList<int> family{productId};
    for (int k = 0; k < family.size(); ++k) {
        const QList<QVariantList> rows = m_db.queryRows(
            QStringLiteral("SELECT ID FROM Prodotti WHERE IDProdottoBase=%1 ORDER BY ID").arg(family.at(k)));
        for (const QVariantList &r : rows) {
            const int variant = r.value(0).toInt();
            // A damaged table could make a product its own variant.
            if (variant != 0 && !family.contains(variant))
                family << variant;
        }
    }
    return family;
}

void ProductDeletion::deleteProduct(int productId, Recordset *positioned)
{
    if (m_db.scalar(QStringLiteral("SELECT ID FROM Prodotti WHERE ID=%1").arg(productId)).isNull())
        return;
    const QList<int> family = familyOf(productId);
    const QString members = idList(family);

    Transaction tx(m_db);
    for (const QVariantList &r : m_db.queryRows(
             QStringLiteral("SELECT ID FROM ProdottiColori WHERE IDProdotto IN (%1) ORDER BY ID").arg(members)))
        m_files.colours << r.value(0).toInt();
    deleteLogged(m_db, QStringLiteral("ProdottiLingue"), QStringLiteral("IDProdotto IN (%1)").arg(members));
    deleteLogged(m_db, QStringLiteral("ParoleChiave"),
                 QStringLiteral("Tipo=1 AND IDRecord IN (%1)").arg(members));
    deleteLogged(m_db, QStringLiteral("ProdottiColori"), QStringLiteral("IDProdotto IN (%1)").arg(members));
    deleteLogged(m_db, QStringLiteral("CategorieProdotti"), QStringLiteral("IDProdotto IN (%1)").arg(members));
    for (int member : family)
        logDeletedRecord(m_db, QStringLiteral("Prodotti"), member);
    // The variants go with the product (the database's trigger).
    if (positioned)
        positioned->deleteCurrent();
    else
        m_db.execute(QStringLiteral("DELETE FROM Prodotti WHERE ID=%1").arg(productId));
    tx.commit();
    m_files.products += family;
}

ProductFileRemoval ProductDeletion::takeFiles()
{
    ProductFileRemoval out = m_files;
    m_files.products.clear();
    m_files.colours.clear();
    return out;
}

void ProductFileRemoval::remove() const
{
    const ProductPictures pictures(projectFolder);
    ProductFiles files(projectFolder);
    for (int id : products) {
        pictures.removeProductPictures(id);
        for (const QString &code : files.codes(id))
            files.remove(id, code);
    }
    for (int id : colours)
        pictures.removeColourPictures(id);
}

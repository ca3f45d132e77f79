#pragma once

#include "catalogue/ProductDeletion.h"
#include "records/TreeRecords.h"

#include <optional>

// The record logic of the category editor: the tree pattern on Categorie
// and CategorieLingue, plus what deleting categories means for products.
class CategoryTree : public TreeRecords {
public:
    CategoryTree(Database &db, LanguageContext &languages, const QString &projectFolder);

    static TreeTables categoryTables();

    // Width of category images from the configuration (0 when unset).
    int imageWidth() const override;

protected:
    // Removes the language rows and product links of the deleted
    // categories, then every product left without any category
    // (ProductDeletion). Each row is logged.
    void deleteDependants(const QList<int> &ids) override;
    // Removes the files of the products deleted with the categories.
    void dependantsDeleted() override;

private:
    QString m_projectFolder;
    // The products of the deletion under way.
    std::optional<ProductDeletion> m_products;
};

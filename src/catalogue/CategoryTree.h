#pragma once

#include "records/TreeRecords.h"

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
    // categories, then every product left without any category with its
    // language rows, keywords, colours and links. Each row is logged.
    void deleteDependants(const QList<int> &ids) override;

private:
    void deleteProduct(int productId);
    void deleteRows(const QString &table, const QString &where);
};

#pragma once

#include <QList>
#include <QString>

class Database;
class Recordset;

// The files of deleted products: both pictures of each product, the three
// pictures of each colour and the downloadable files. remove() once the
// deletion is committed; the database need not be open any more.
struct ProductFileRemoval {
    QString projectFolder;
    QList<int> products;
    QList<int> colours;

    void remove() const;
};

// The one way a product is deleted, whoever asks (product editor, category
// deletion, import of a list that no longer holds it): the product and its
// variants at any depth go, their language rows, category links, colours
// and keywords are written to the deleted-records log with the products
// themselves (the database's triggers remove the remaining rows), and their
// pictures, their colours' pictures and their downloadable files are
// removed once the deletion is committed.
class ProductDeletion {
public:
    ProductDeletion(Database &db, const QString &projectFolder);

    // Deletes the product and its variants in the caller's transaction.
    // positioned, when given, is a set over Prodotti whose current row is
    // this product: the row goes through it so that the set skips it. A
    // product that no longer exists is left alone. The files wait for
    // removeFiles().
    void deleteProduct(int productId, Recordset *positioned = nullptr);

    // Hands over the files of every product deleted so far and forgets them.
    ProductFileRemoval takeFiles();
    // Removes them at once (the deletion is committed).
    void removeFiles() { takeFiles().remove(); }

private:
    QList<int> familyOf(int productId);

    Database &m_db;
    ProductFileRemoval m_files;
};

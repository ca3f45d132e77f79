#pragma once

#include <QString>

// Where the pictures of products and of their colours live, under
// website/images/prodotti of the project folder:
//   <ID>.jpg             the product picture, th/<ID>.jpg its thumbnail;
//   colori/<ID>.jpg      a colour's photo, colori/th/<ID>.jpg its thumbnail,
//   colori/dettagli/<ID>.jpg its detail picture.
// Everything that writes, reads or removes these files takes the paths here.
class ProductPictures {
public:
    explicit ProductPictures(const QString &projectFolder);

    // The folder with a trailing separator.
    static QString withSeparator(const QString &folder);

    QString folder() const;

    QString productImage(int productId) const;
    QString productThumbnail(int productId) const;
    QString colourPhoto(int colourId) const;
    QString colourThumbnail(int colourId) const;
    QString colourDetail(int colourId) const;

    // Removes both pictures of a product.
    void removeProductPictures(int productId) const;
    // Removes the three pictures of a colour.
    void removeColourPictures(int colourId) const;

private:
    QString m_folder;
};

#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <optional>

class Database;
class Image;

// One colour of a product as listed on the colours page.
struct ProductColour {
    int id = 0;
    QString code;
    QString description;
    bool active = false;
    bool hasPhoto = false;
    bool hasDetail = false;
};

// A failed check of the colour form: the message and its window title.
struct ColourRefusal {
    QString title;
    QString message;
};

// The colours of products (table ProdottiColori) and their picture files
// under website/images/prodotti/colori of the project folder: the photo
// "colori/<ID>.jpg", its thumbnail "colori/th/<ID>.jpg" and the detail
// "colori/dettagli/<ID>.jpg", written at the widths of the configuration.
class ProductColours {
public:
    ProductColours(Database &db, const QString &projectFolder);

    // The product's colours in ID order.
    QList<ProductColour> colours(int productId);

    // The form check before a save: code and description are mandatory and
    // at least a photo or a detail must exist (already stored or chosen).
    static std::optional<ColourRefusal> validate(const QString &code, const QString &description,
                                                 bool hasPhoto, bool hasDetail);

    // Adds (colourId 0) or changes a colour of the product and writes the
    // pictures chosen (an unloaded image keeps the stored file). Returns the
    // colour's ID, 0 when a picture could not be written (error says why);
    // then nothing of the row is stored.
    int save(int productId, int colourId, const QString &code, const QString &description,
             bool active, const Image &photo, const Image &detail, QString *error = nullptr);
    // Deletes a colour's row, logging it as deleted, and its three files.
    void remove(int colourId);
    // Deletes the three picture files of each colour.
    void removeFilesOf(const QList<int> &colourIds);

    QString photoPath(int colourId) const;
    QString thumbnailPath(int colourId) const;
    QString detailPath(int colourId) const;

    // Configured widths (0: keep the natural size).
    int photoWidth();
    int thumbnailWidth();
    int detailWidth();
    // Side of the list icons: 80 pixels, less when the thumbnail width is
    // configured smaller.
    int iconSide();

    // The list icon of a colour: the detail when there is one, else the
    // photo, fitted into a white square, with the markers of the pictures
    // present pasted 10 pixels from the bottom (photo at x 0, detail after
    // it at x 12, or at x 0 without a photo).
    QImage icon(const ProductColour &colour);
    static QImage composeIcon(const QImage &picture, bool hasPhoto, bool hasDetail, int side);
    static QImage photoMarker();
    static QImage detailMarker();

private:
    int configurationWidth(const char *column);

    Database &m_db;
    QString m_folder;
};

#include "ProductColours.h"

#include "catalogue/ProductPictures.h"
#include "data/Database.h"
#include "data/DeletedRecords.h"
#include "data/NextId.h"
#include "data/sets/CProdottiColoriSet.h"
#include "support/imaging/Image.h"
#include "support/imaging/ImageFit.h"
#include "support/ValidationTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

namespace {

constexpr int kIconSide = 80;
constexpr int kMarkerSide = 10;

QImage marker(QColor fill, QChar letter)
{
    QImage image(kMarkerSide, kMarkerSide, QImage::Format_RGB32);
    image.fill(fill);
    QPainter p(&image);
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.drawText(image.rect(), Qt::AlignCenter, QString(letter));
    return image;
}

bool writeAt(const Image &source, int width, const QString &path, QString *error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const Image sized = width > 0 ? source.resizedToWidth(width) : source;
    return sized.saveJpeg(path, error);
}

} // namespace

ProductColours::ProductColours(Database &db, const QString &projectFolder)
    : m_db(db), m_folder(projectFolder)
{
}

QList<ProductColour> ProductColours::colours(int productId)
{
    QList<ProductColour> list;
    CProdottiColoriSet set(m_db);
    set.setFilter(QStringLiteral("[IDProdotto]=%1").arg(productId));
    set.setSort(QStringLiteral("ID"));
    set.open();
    for (; !set.isEOF(); set.moveNext()) {
        ProductColour c;
        c.id = set.ID();
        c.code = set.Codice();
        c.description = set.Descrizione();
        c.active = set.Attivo();
        c.hasPhoto = QFile::exists(photoPath(c.id));
        c.hasDetail = QFile::exists(detailPath(c.id));
        list.append(c);
    }
    return list;
}

std::optional<ColourRefusal> ProductColours::validate(const QString &code, const QString &description,
                                                      bool hasPhoto, bool hasDetail)
{
    if (code.trimmed().isEmpty() || description.trimmed().isEmpty())
        return ColourRefusal{ValidationTexts::Title, ValidationTexts::Mandatory};
    if (!hasPhoto && !hasDetail)
        return ColourRefusal{QStringLiteral("Colori prodotti"),
                             QStringLiteral("E' necessario selezionare almeno una immagine (foto o dettaglio).")};
    return std::nullopt;
}

int ProductColours::save(int productId, int colourId, const QString &code, const QString &description,
                         bool active, const Image &photo, const Image &detail, QString *error)
{
    // The row is kept only when its pictures were written.
    Transaction tx(m_db);
    CProdottiColoriSet set(m_db);
    set.setFilter(QStringLiteral("ID=%1").arg(colourId));
    set.open();
    int id = colourId;
    if (colourId == 0 || set.isEOF()) {
        set.addNew();
        id = nextId(set);
        set.setID(id);
        set.setIDProdotto(productId);
    } else {
        set.edit();
    }
    set.setCodice(code);
    set.setDescrizione(description);
    set.setAttivo(active);
    set.setModificato(true);
    set.update();

    bool written = true;
    if (photo.isLoaded()) {
        const int width = photoWidth();
        const Image sized = width > 0 ? photo.resizedToWidth(width) : photo;
        // The thumbnail is made from the resized photo.
        written = writeAt(sized, 0, photoPath(id), error)
            && writeAt(sized, thumbnailWidth(), thumbnailPath(id), error);
    }
    if (written && detail.isLoaded())
        written = writeAt(detail, detailWidth(), detailPath(id), error);
    if (!written) {
        if (colourId == 0)
            removeFilesOf({id});
        return 0;
    }
    tx.commit();
    return id;
}

void ProductColours::remove(int colourId)
{
    Transaction tx(m_db);
    if (!m_db.scalar(QStringLiteral("SELECT ID FROM ProdottiColori WHERE ID=%1").arg(colourId)).isNull()) {
        logDeletedRecord(m_db, QStringLiteral("ProdottiColori"), colourId);
        m_db.execute(QStringLiteral("DELETE FROM ProdottiColori WHERE ID=%1").arg(colourId));
    }
    tx.commit();
    removeFilesOf({colourId});
}

void ProductColours::removeFilesOf(const QList<int> &colourIds)
{
    const ProductPictures pictures(m_folder);
    for (int id : colourIds)
        pictures.removeColourPictures(id);
}

QString ProductColours::photoPath(int colourId) const
{
    return ProductPictures(m_folder).colourPhoto(colourId);
}

QString ProductColours::thumbnailPath(int colourId) const
{
    return ProductPictures(m_folder).colourThumbnail(colourId);
}

QString ProductColours::detailPath(int colourId) const
{
    return ProductPictures(m_folder).colourDetail(colourId);
}

int ProductColours::configurationWidth(const char *column)
{
    const QVariant v =
        m_db.scalar(QStringLiteral("SELECT %1 FROM Configurazione").arg(QLatin1String(column)));
    return v.isNull() ? 0 : v.toInt();
}

int ProductColours::photoWidth()
{
    return configurationWidth("LarghezzaFotoColori");
}

int ProductColours::thumbnailWidth()
{
    return configurationWidth("LarghezzaMiniaturaColori");
}

int ProductColours::detailWidth()
{
    return configurationWidth("LarghezzaDettaglioColori");
}

int ProductColours::iconSide()
{
    const int configured = thumbnailWidth();
    return configured > 0 ? qMin(kIconSide, configured) : kIconSide;
}

QImage ProductColours::photoMarker()
{
    return marker(QColor(0, 0, 160), QLatin1Char('F'));
}

QImage ProductColours::detailMarker()
{
    return marker(QColor(0, 128, 0), QLatin1Char('D'));
}

QImage ProductColours::composeIcon(const QImage &picture, bool hasPhoto, bool hasDetail, int side)
{
    QImage icon = ImageFit::squareIcon(picture, side);
    QPainter p(&icon);
    const int y = side - kMarkerSide;
    if (hasPhoto)
        p.drawImage(0, y, photoMarker());
    if (hasDetail)
        p.drawImage(hasPhoto ? 12 : 0, y, detailMarker());
    return icon;
}

QImage ProductColours::icon(const ProductColour &colour)
{
    QImage picture;
    if (colour.hasDetail)
        picture.load(detailPath(colour.id));
    if (picture.isNull() && colour.hasPhoto)
        picture.load(photoPath(colour.id));
    return composeIcon(picture, colour.hasPhoto, colour.hasDetail, iconSide());
}

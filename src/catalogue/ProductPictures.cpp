#include "catalogue/ProductPictures.h"

#include <QFile>

ProductPictures::ProductPictures(const QString &projectFolder)
    : m_folder(withSeparator(projectFolder) + QStringLiteral("website/images/prodotti/"))
{
}

QString ProductPictures::withSeparator(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString ProductPictures::folder() const
{
    return m_folder;
}

QString ProductPictures::productImage(int productId) const
{
    return m_folder + QStringLiteral("%1.jpg").arg(productId);
}

QString ProductPictures::productThumbnail(int productId) const
{
    return m_folder + QStringLiteral("th/%1.jpg").arg(productId);
}

QString ProductPictures::colourPhoto(int colourId) const
{
    return m_folder + QStringLiteral("colori/%1.jpg").arg(colourId);
}

QString ProductPictures::colourThumbnail(int colourId) const
{
    return m_folder + QStringLiteral("colori/th/%1.jpg").arg(colourId);
}

QString ProductPictures::colourDetail(int colourId) const
{
    return m_folder + QStringLiteral("colori/dettagli/%1.jpg").arg(colourId);
}

void ProductPictures::removeProductPictures(int productId) const
{
    QFile::remove(productImage(productId));
    QFile::remove(productThumbnail(productId));
}

void ProductPictures::removeColourPictures(int colourId) const
{
    QFile::remove(colourPhoto(colourId));
    QFile::remove(colourThumbnail(colourId));
    QFile::remove(colourDetail(colourId));
}

#include "Image.h"

#include "GifWriter.h"
#include "ImageFileWriter.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

uchar clampByte(int v)
{
    return uchar(std::clamp(v, 0, 255));
}

ImageFormat formatFromName(const QByteArray &name)
{
    const QByteArray n = name.toLower();
    if (n == "bmp" || n == "dib")
        return ImageFormat::Bmp;
    if (n == "jpeg" || n == "jpg")
        return ImageFormat::Jpeg;
    if (n == "gif")
        return ImageFormat::Gif;
    return ImageFormat::Unknown;
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

} // namespace

Image::Image(const QImage &image)
    : m_image(image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32))
{
}

ImageFormat Image::probeFormat(const QString &path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return formatFromName(reader.format());
}

bool Image::load(const QString &path)
{
    clear();
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const ImageFormat format = formatFromName(reader.format());
    if (format == ImageFormat::Unknown)
        return false;
    QImage image = reader.read();
    if (image.isNull())
        return false;
    m_image = image.convertToFormat(QImage::Format_ARGB32);
    m_sourceFormat = format;
    return true;
}

void Image::clear()
{
    m_image = QImage();
    m_sourceFormat = ImageFormat::Unknown;
}

int Image::proportionalHeight(QSize source, int targetWidth)
{
    if (source.width() <= 0 || targetWidth <= 0)
        return 0;
    const qint64 h = qint64(targetWidth) * source.height() / source.width();
    return int(std::max<qint64>(h, 1));
}

bool Image::resizeToWidth(int targetWidth)
{
    if (!isLoaded() || targetWidth < 1)
        return false;
    const int targetHeight = proportionalHeight(m_image.size(), targetWidth);
    if (targetWidth == m_image.width() && targetHeight == m_image.height())
        return true;
    m_image = m_image.scaled(targetWidth, targetHeight, Qt::IgnoreAspectRatio,
                             Qt::SmoothTransformation)
                  .convertToFormat(QImage::Format_ARGB32);
    return true;
}

Image Image::resizedToWidth(int targetWidth) const
{
    Image copy(*this);
    copy.resizeToWidth(targetWidth);
    return copy;
}

void Image::applyLookup(const uchar table[256])
{
    if (!isLoaded())
        return;
    for (int y = 0; y < m_image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(m_image.scanLine(y));
        for (int x = 0; x < m_image.width(); ++x) {
            const QRgb p = line[x];
            line[x] = qRgba(table[qRed(p)], table[qGreen(p)], table[qBlue(p)], qAlpha(p));
        }
    }
}

void Image::adjustBrightness(int brightness)
{
    brightness = std::clamp(brightness, kBrightnessMin, kBrightnessMax);
    if (brightness == 0)
        return;
    const int offset = brightness * 255 / kBrightnessMax;
    uchar table[256];
    for (int v = 0; v < 256; ++v)
        table[v] = clampByte(v + offset);
    applyLookup(table);
}

void Image::adjustContrast(int contrast)
{
    contrast = std::clamp(contrast, kContrastMin, kContrastMax);
    if (contrast == 0)
        return;
    uchar table[256];
    for (int v = 0; v < 256; ++v) {
        if (contrast == kContrastMax) {
            table[v] = v >= 128 ? 255 : 0;
            continue;
        }
        // Below 0 the values are pulled towards mid grey (all grey at the
        // minimum); above 0 they are pushed away from it.
        const double factor = contrast < 0 ? double(kContrastMax + contrast) / kContrastMax
                                           : double(kContrastMax) / (kContrastMax - contrast);
        table[v] = clampByte(int(std::lround(128.0 + (v - 128) * factor)));
    }
    applyLookup(table);
}

void Image::flipHorizontal()
{
    if (isLoaded())
        m_image = m_image.mirrored(true, false);
}

void Image::flipVertical()
{
    if (isLoaded())
        m_image = m_image.mirrored(false, true);
}

int Image::replaceColour(QRgb from, QRgb to)
{
    if (!isLoaded())
        return 0;
    const QRgb fromRgb = from & 0x00ffffffu;
    const QRgb toRgb = to & 0x00ffffffu;
    int changed = 0;
    for (int y = 0; y < m_image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(m_image.scanLine(y));
        for (int x = 0; x < m_image.width(); ++x) {
            if ((line[x] & 0x00ffffffu) == fromRgb) {
                line[x] = (line[x] & 0xff000000u) | toRgb;
                ++changed;
            }
        }
    }
    return changed;
}

bool Image::saveJpeg(const QString &path, QString *error) const
{
    if (!isLoaded()) {
        setError(error, QStringLiteral("no image to save"));
        return false;
    }
    // JPEG has no transparency: transparent areas are laid on white.
    QImage flat(m_image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, m_image);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!flat.save(&buffer, "JPEG", kJpegQuality)) {
        setError(error, QStringLiteral("JPEG encoding failed"));
        return false;
    }
    return ImageFileWriter::write(path, bytes, error);
}

bool Image::saveGif(const QString &path, QString *error) const
{
    if (!isLoaded()) {
        setError(error, QStringLiteral("no image to save"));
        return false;
    }
    const QByteArray bytes = GifWriter::encode(m_image, error);
    if (bytes.isEmpty())
        return false;
    return ImageFileWriter::write(path, bytes, error);
}

bool Image::save(const QString &path, ImageFormat format, QString *error) const
{
    switch (format) {
    case ImageFormat::Jpeg:
        return saveJpeg(path, error);
    case ImageFormat::Gif:
        return saveGif(path, error);
    default:
        setError(error, QStringLiteral("unsupported output format"));
        return false;
    }
}

ImageFormat Image::storedFormatFor(ImageFormat source)
{
    switch (source) {
    case ImageFormat::Gif:
        return ImageFormat::Gif;
    case ImageFormat::Bmp:
    case ImageFormat::Jpeg:
        return ImageFormat::Jpeg;
    default:
        return ImageFormat::Unknown;
    }
}

#pragma once

#include <QImage>
#include <QRgb>
#include <QString>

// The picture formats the program reads and writes.
enum class ImageFormat { Unknown, Bmp, Jpeg, Gif };

// An image held at 32 bits per pixel (ARGB) with the operations the editors
// apply to it: proportional resize, brightness and contrast, flips, colour
// for colour replacement, and saving as JPEG or GIF.
//
// Files written by save() get their folders created and their read-only
// attribute cleared; a read-only file at the target path is replaced.
class Image {
public:
    // Ranges of the brightness and contrast sliders; 0 leaves the image as it is.
    static constexpr int kBrightnessMin = -100;
    static constexpr int kBrightnessMax = 100;
    static constexpr int kContrastMin = -100;
    static constexpr int kContrastMax = 100;
    static constexpr int kJpegQuality = 85;

    Image() = default;
    explicit Image(const QImage &image);

    // Loads a BMP, JPEG or GIF file (the format is taken from the content,
    // not from the name). On failure the image is left empty.
    bool load(const QString &path);
    bool isLoaded() const { return !m_image.isNull(); }
    void clear();

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    QSize size() const { return m_image.size(); }
    // The format of the file last loaded (Unknown for an image made in memory).
    ImageFormat sourceFormat() const { return m_sourceFormat; }
    const QImage &toQImage() const { return m_image; }

    // Height for a proportional resize to targetWidth: targetWidth * h / w in
    // integer arithmetic, never less than 1.
    static int proportionalHeight(QSize source, int targetWidth);
    // Resizes to targetWidth keeping the aspect ratio, up or down. Returns
    // false (and changes nothing) when empty or targetWidth < 1.
    bool resizeToWidth(int targetWidth);
    Image resizedToWidth(int targetWidth) const;

    // brightness in [kBrightnessMin, kBrightnessMax]: the extremes give white
    // and black. contrast in [kContrastMin, kContrastMax]: the minimum gives a
    // uniform mid grey, the maximum a hard threshold at mid grey. Out of range
    // values are clamped. Alpha is kept.
    void adjustBrightness(int brightness);
    void adjustContrast(int contrast);

    void flipHorizontal(); // mirror left to right
    void flipVertical();   // upside down

    // Replaces every pixel whose colour (ignoring alpha) is from by to,
    // keeping each pixel's alpha. Returns the number of pixels changed.
    int replaceColour(QRgb from, QRgb to);

    // Saves as JPEG (transparent areas become white) or GIF (through the
    // palette rules of GifWriter). The error text, when asked for, says why a
    // save failed.
    bool saveJpeg(const QString &path, QString *error = nullptr) const;
    bool saveGif(const QString &path, QString *error = nullptr) const;
    bool save(const QString &path, ImageFormat format, QString *error = nullptr) const;

    // The format an editor stores a source picture in: BMP and JPEG become
    // JPEG, GIF stays GIF.
    static ImageFormat storedFormatFor(ImageFormat source);
    // Reads the format of a file from its content.
    static ImageFormat probeFormat(const QString &path);

private:
    void applyLookup(const uchar table[256]);

    QImage m_image;
    ImageFormat m_sourceFormat = ImageFormat::Unknown;
};

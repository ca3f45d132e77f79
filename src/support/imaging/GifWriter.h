#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Encodes an image as a GIF file through giflib.
//
// Palette: an image of at most 256 colours (counting transparency as one)
// is written with exactly its own colours; a richer image gets a 256-entry
// table from giflib's median-cut quantizer (GifQuantizeBuffer). Pixels with
// alpha below 128 become the transparent colour of a GIF89a file.
class GifWriter {
public:
    static constexpr int kMaxColours = 256;

    static QByteArray encode(const QImage &image, QString *error = nullptr);
};

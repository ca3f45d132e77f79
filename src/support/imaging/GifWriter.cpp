#include "GifWriter.h"

#include <gif_lib.h>

#include <QHash>

#include <cstring>
#include <vector>

namespace {

bool isTransparent(QRgb pixel)
{
    return qAlpha(pixel) < 128;
}

int appendToBuffer(GifFileType *gif, const GifByteType *data, int length)
{
    auto *buffer = static_cast<QByteArray *>(gif->UserData);
    buffer->append(reinterpret_cast<const char *>(data), length);
    return length;
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// The picture reduced to palette indices.
struct Indexed {
    std::vector<GifColorType> palette;
    std::vector<GifByteType> pixels; // one index per pixel, row by row
    int transparentIndex = -1;
};

// Collects the distinct opaque colours; false when there are more than limit.
bool exactPalette(const QImage &img, int limit, Indexed &out)
{
    QHash<QRgb, int> index;
    const int w = img.width();
    const int h = img.height();
    out.pixels.resize(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (isTransparent(line[x]))
                continue;
            const QRgb rgb = line[x] & 0x00ffffffu;
            auto it = index.constFind(rgb);
            int i;
            if (it == index.constEnd()) {
                if (index.size() >= limit)
                    return false;
                i = int(index.size());
                index.insert(rgb, i);
                out.palette.push_back(GifColorType{GifByteType(qRed(rgb)), GifByteType(qGreen(rgb)),
                                                   GifByteType(qBlue(rgb))});
            } else {
                i = it.value();
            }
            out.pixels[size_t(y) * size_t(w) + size_t(x)] = GifByteType(i);
        }
    }
    return true;
}

// Median-cut quantization of the opaque pixels into at most limit colours.
bool quantizedPalette(const QImage &img, int limit, Indexed &out, QString *error)
{
    const int w = img.width();
    const int h = img.height();
    std::vector<GifByteType> red, green, blue;
    std::vector<size_t> where;
    red.reserve(size_t(w) * size_t(h));
    green.reserve(red.capacity());
    blue.reserve(red.capacity());
    where.reserve(red.capacity());
    for (int y = 0; y < h; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (isTransparent(line[x]))
                continue;
            red.push_back(GifByteType(qRed(line[x])));
            green.push_back(GifByteType(qGreen(line[x])));
            blue.push_back(GifByteType(qBlue(line[x])));
            where.push_back(size_t(y) * size_t(w) + size_t(x));
        }
    }
    // The quantizer fills a table of the requested size (unused entries black).
    int colourCount = limit;
    std::vector<GifColorType> table(static_cast<size_t>(colourCount));
    std::vector<GifByteType> indices(red.size());
    if (GifQuantizeBuffer(unsigned(red.size()), 1, &colourCount, red.data(), green.data(),
                          blue.data(), indices.data(), table.data())
        == GIF_ERROR) {
        setError(error, QStringLiteral("colour quantization failed"));
        return false;
    }
    out.pixels.assign(size_t(w) * size_t(h), 0);
    for (size_t i = 0; i < where.size(); ++i)
        out.pixels[where[i]] = indices[i];
    out.palette.assign(table.begin(), table.begin() + colourCount);
    return true;
}

} // namespace

QByteArray GifWriter::encode(const QImage &source, QString *error)
{
    if (source.isNull()) {
        setError(error, QStringLiteral("empty image"));
        return {};
    }
    const QImage img = source.convertToFormat(QImage::Format_ARGB32);
    const int w = img.width();
    const int h = img.height();

    bool hasTransparency = false;
    for (int y = 0; y < h && !hasTransparency; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (isTransparent(line[x])) {
                hasTransparency = true;
                break;
            }
        }
    }
    const int opaqueLimit = hasTransparency ? kMaxColours - 1 : kMaxColours;

    Indexed indexed;
    if (!exactPalette(img, opaqueLimit, indexed)) {
        indexed = Indexed{};
        if (!quantizedPalette(img, opaqueLimit, indexed, error))
            return {};
    }
    if (indexed.palette.empty())
        indexed.palette.push_back(GifColorType{0, 0, 0});
    if (hasTransparency) {
        indexed.transparentIndex = int(indexed.palette.size());
        indexed.palette.push_back(GifColorType{255, 255, 255});
        for (int y = 0; y < h; ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                if (isTransparent(line[x]))
                    indexed.pixels[size_t(y) * size_t(w) + size_t(x)] =
                        GifByteType(indexed.transparentIndex);
            }
        }
    }

    // The colour table of a GIF has a power-of-two size (at least 2).
    const int tableSize = 1 << GifBitSize(int(indexed.palette.size()));
    std::vector<GifColorType> table(size_t(tableSize), GifColorType{0, 0, 0});
    std::memcpy(table.data(), indexed.palette.data(), indexed.palette.size() * sizeof(GifColorType));
    ColorMapObject *map = GifMakeMapObject(tableSize, table.data());
    if (!map) {
        setError(error, QStringLiteral("cannot allocate the colour table"));
        return {};
    }

    QByteArray out;
    int status = 0;
    GifFileType *gif = EGifOpen(&out, appendToBuffer, &status);
    if (!gif) {
        GifFreeMapObject(map);
        setError(error, QString::fromLatin1(GifErrorString(status)));
        return {};
    }
    bool ok = true;
    EGifSetGifVersion(gif, hasTransparency);
    if (EGifPutScreenDesc(gif, w, h, 8, 0, map) == GIF_ERROR)
        ok = false;
    if (ok && hasTransparency) {
        GraphicsControlBlock gcb;
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.UserInputFlag = false;
        gcb.DelayTime = 0;
        gcb.TransparentColor = indexed.transparentIndex;
        GifByteType extension[4];
        const size_t len = EGifGCBToExtension(&gcb, extension);
        if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(len), extension) == GIF_ERROR)
            ok = false;
    }
    if (ok && EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_ERROR)
        ok = false;
    for (int y = 0; ok && y < h; ++y) {
        if (EGifPutLine(gif, indexed.pixels.data() + size_t(y) * size_t(w), w) == GIF_ERROR)
            ok = false;
    }
    if (!ok)
        setError(error, QString::fromLatin1(GifErrorString(gif->Error)));
    int closeStatus = 0;
    if (EGifCloseFile(gif, &closeStatus) == GIF_ERROR && ok) {
        ok = false;
        setError(error, QString::fromLatin1(GifErrorString(closeStatus)));
    }
    GifFreeMapObject(map);
    return ok ? out : QByteArray();
}

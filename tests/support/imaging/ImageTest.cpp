#include "support/imaging/Image.h"
#include "support/imaging/ImageFileWriter.h"

#include "common/TempDir.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

QImage solid(int w, int h, QRgb colour)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(colour);
    return img;
}

// A picture with smooth gradients and many thousands of colours.
QImage photoLike(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32);
    QRandomGenerator rng(42);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int noise = int(rng.bounded(9)) - 4;
            img.setPixel(x, y,
                         qRgb(std::clamp(x * 255 / w + noise, 0, 255),
                              std::clamp(y * 255 / h + noise, 0, 255),
                              std::clamp((x + y) * 255 / (w + h) - noise, 0, 255)));
        }
    }
    return img;
}

} // namespace

TEST(ImageResize, KeepsProportionInIntegerArithmeticUpAndDown)
{
    Image small(solid(100, 50, qRgb(10, 20, 30)));
    ASSERT_TRUE(small.resizeToWidth(200));
    EXPECT_EQ(small.size(), QSize(200, 100));

    Image photo(solid(800, 600, qRgb(1, 2, 3)));
    ASSERT_TRUE(photo.resizeToWidth(400));
    EXPECT_EQ(photo.size(), QSize(400, 300));

    Image down(solid(400, 300, qRgb(1, 2, 3)));
    EXPECT_EQ(down.resizedToWidth(100).size(), QSize(100, 75));
    EXPECT_EQ(down.size(), QSize(400, 300)) << "resizedToWidth leaves the original alone";

    // 4 * 2 / 3 truncates to 2; a very flat picture keeps at least one row.
    EXPECT_EQ(Image::proportionalHeight(QSize(3, 2), 4), 2);
    EXPECT_EQ(Image(solid(1000, 1, 0xff000000)).resizedToWidth(10).size(), QSize(10, 1));

    Image untouched(solid(10, 10, 0xff000000));
    EXPECT_FALSE(untouched.resizeToWidth(0));
    EXPECT_EQ(untouched.size(), QSize(10, 10));
    EXPECT_FALSE(Image().resizeToWidth(50));
}

TEST(ImageLoad, ReadsBmpJpegGifByContentAt32Bits)
{
    TempDir dir;
    const QImage source = solid(30, 20, qRgb(200, 100, 50));
    ASSERT_TRUE(source.convertToFormat(QImage::Format_RGB888).save(dir.file("a.bmp"), "BMP"));
    ASSERT_TRUE(source.save(dir.file("b.jpg"), "JPEG"));
    ASSERT_TRUE(Image(source).saveGif(dir.file("c.gif")));
    // A GIF under a JPEG name is still read as GIF.
    ASSERT_TRUE(QFile::copy(dir.file("c.gif"), dir.file("misnamed.jpg")));

    struct Case {
        const char *name;
        ImageFormat format;
    } cases[] = {{"a.bmp", ImageFormat::Bmp},
                 {"b.jpg", ImageFormat::Jpeg},
                 {"c.gif", ImageFormat::Gif},
                 {"misnamed.jpg", ImageFormat::Gif}};
    for (const Case &c : cases) {
        Image img;
        ASSERT_TRUE(img.load(dir.file(c.name))) << c.name;
        EXPECT_EQ(img.sourceFormat(), c.format) << c.name;
        EXPECT_EQ(img.toQImage().format(), QImage::Format_ARGB32) << c.name;
        EXPECT_EQ(img.toQImage().depth(), 32) << c.name;
        EXPECT_EQ(img.size(), QSize(30, 20)) << c.name;
        EXPECT_EQ(Image::probeFormat(dir.file(c.name)), c.format) << c.name;
    }

    QFile junk(dir.file("junk.jpg"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();
    Image bad;
    EXPECT_FALSE(bad.load(dir.file("junk.jpg")));
    EXPECT_FALSE(bad.isLoaded());
    EXPECT_FALSE(bad.load(dir.file("missing.gif")));

    EXPECT_EQ(Image::storedFormatFor(ImageFormat::Bmp), ImageFormat::Jpeg);
    EXPECT_EQ(Image::storedFormatFor(ImageFormat::Jpeg), ImageFormat::Jpeg);
    EXPECT_EQ(Image::storedFormatFor(ImageFormat::Gif), ImageFormat::Gif);
}

TEST(ImageGif, UpTo256ColoursSurviveARoundTripExactly)
{
    TempDir dir;
    // 256 distinct colours, including ones that differ only in the low bits
    // (a 5-bit quantizer would merge them).
    QImage img(16, 16, QImage::Format_ARGB32);
    for (int i = 0; i < 256; ++i)
        img.setPixel(i % 16, i / 16, qRgb(i, (i * 7 + 1) & 0xff, 255 - i));
    img.setPixel(0, 0, qRgb(101, 101, 101));
    img.setPixel(1, 0, qRgb(102, 101, 101));

    const QString path = dir.file("palette.gif");
    QString error;
    ASSERT_TRUE(Image(img).saveGif(path, &error)) << error.toStdString();
    Image back;
    ASSERT_TRUE(back.load(path));
    ASSERT_EQ(back.size(), img.size());
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(back.toQImage().pixel(x, y), img.pixel(x, y)) << x << "," << y;
}

TEST(ImageGif, TransparencyIsKeptBesideExactColours)
{
    TempDir dir;
    QImage img(20, 10, QImage::Format_ARGB32);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            img.setPixel(x, y, x < 5 ? qRgba(0, 0, 0, 0) : qRgb(x * 11, y * 23, 77));
    const QString path = dir.file("t.gif");
    ASSERT_TRUE(Image(img).saveGif(path));
    Image back;
    ASSERT_TRUE(back.load(path));
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            const QRgb p = back.toQImage().pixel(x, y);
            if (x < 5)
                EXPECT_EQ(qAlpha(p), 0) << x << "," << y;
            else
                EXPECT_EQ(p, img.pixel(x, y)) << x << "," << y;
        }
    }
}

TEST(ImageGif, PhotoIsQuantizedToCloseColours)
{
    TempDir dir;
    const QImage img = photoLike(240, 160);
    const QString path = dir.file("photo.gif");
    ASSERT_TRUE(Image(img).saveGif(path));
    Image back;
    ASSERT_TRUE(back.load(path));
    ASSERT_EQ(back.size(), img.size());
    QSet<QRgb> colours;
    double total = 0;
    int worst = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb a = img.pixel(x, y);
            const QRgb b = back.toQImage().pixel(x, y);
            colours.insert(b);
            const int d = std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b))
                + std::abs(qBlue(a) - qBlue(b));
            total += d;
            worst = std::max(worst, d);
        }
    }
    const double mean = total / (img.width() * img.height() * 3.0);
    EXPECT_LE(colours.size(), 256);
    EXPECT_GT(colours.size(), 64) << "the table should use most of its entries";
    EXPECT_LT(mean, 12.0);
    RecordProperty("mean_error", QString::number(mean, 'f', 2).toStdString());
    RecordProperty("worst_error", worst);
    RecordProperty("colours", int(colours.size()));
    EXPECT_LT(worst, 120);
}

TEST(ImageOps, FlipsMirrorTheRightAxis)
{
    QImage img(2, 2, QImage::Format_ARGB32);
    img.setPixel(0, 0, qRgb(1, 0, 0));
    img.setPixel(1, 0, qRgb(2, 0, 0));
    img.setPixel(0, 1, qRgb(3, 0, 0));
    img.setPixel(1, 1, qRgb(4, 0, 0));

    Image h(img);
    h.flipHorizontal();
    EXPECT_EQ(h.toQImage().pixel(0, 0), qRgb(2, 0, 0));
    EXPECT_EQ(h.toQImage().pixel(1, 1), qRgb(3, 0, 0));

    Image v(img);
    v.flipVertical();
    EXPECT_EQ(v.toQImage().pixel(0, 0), qRgb(3, 0, 0));
    EXPECT_EQ(v.toQImage().pixel(1, 1), qRgb(2, 0, 0));
}

TEST(ImageOps, ReplaceColourChangesOnlyThatColourAndKeepsAlpha)
{
    QImage img(3, 1, QImage::Format_ARGB32);
    img.setPixel(0, 0, qRgb(10, 20, 30));
    img.setPixel(1, 0, qRgba(10, 20, 30, 0));
    img.setPixel(2, 0, qRgb(10, 20, 31));
    Image i(img);
    EXPECT_EQ(i.replaceColour(qRgb(10, 20, 30), qRgb(250, 0, 5)), 2);
    EXPECT_EQ(i.toQImage().pixel(0, 0), qRgb(250, 0, 5));
    EXPECT_EQ(i.toQImage().pixel(1, 0), qRgba(250, 0, 5, 0));
    EXPECT_EQ(i.toQImage().pixel(2, 0), qRgb(10, 20, 31));
    EXPECT_EQ(i.replaceColour(qRgb(1, 1, 1), qRgb(2, 2, 2)), 0);
}

TEST(ImageOps, BrightnessAndContrastExtremes)
{
    QImage ramp(256, 1, QImage::Format_ARGB32);
    for (int x = 0; x < 256; ++x)
        ramp.setPixel(x, 0, qRgba(x, 255 - x, x / 2, 200));

    auto all = [](const Image &img, auto pred) {
        for (int x = 0; x < img.width(); ++x)
            if (!pred(img.toQImage().pixel(x, 0)))
                return false;
        return true;
    };

    Image white(ramp);
    white.adjustBrightness(Image::kBrightnessMax);
    EXPECT_TRUE(all(white, [](QRgb p) { return p == qRgba(255, 255, 255, 200); }));

    Image black(ramp);
    black.adjustBrightness(Image::kBrightnessMin * 5); // clamped to the minimum
    EXPECT_TRUE(all(black, [](QRgb p) { return p == qRgba(0, 0, 0, 200); }));

    Image grey(ramp);
    grey.adjustContrast(Image::kContrastMin);
    EXPECT_TRUE(all(grey, [](QRgb p) { return p == qRgba(128, 128, 128, 200); }));

    Image hard(ramp);
    hard.adjustContrast(Image::kContrastMax);
    EXPECT_TRUE(all(hard, [](QRgb p) {
        return (qRed(p) == 0 || qRed(p) == 255) && (qGreen(p) == 0 || qGreen(p) == 255);
    }));
    EXPECT_EQ(qRed(hard.toQImage().pixel(127, 0)), 0);
    EXPECT_EQ(qRed(hard.toQImage().pixel(128, 0)), 255);

    Image same(ramp);
    same.adjustBrightness(0);
    same.adjustContrast(0);
    EXPECT_EQ(same.toQImage(), ramp);

    // Moderate values move in the right direction without wrapping.
    Image brighter(ramp);
    brighter.adjustBrightness(20);
    EXPECT_EQ(qRed(brighter.toQImage().pixel(10, 0)), 10 + 51);
    EXPECT_EQ(qRed(brighter.toQImage().pixel(250, 0)), 255);
    Image stronger(ramp);
    stronger.adjustContrast(50);
    EXPECT_LT(qRed(stronger.toQImage().pixel(100, 0)), 100);
    EXPECT_GT(qRed(stronger.toQImage().pixel(160, 0)), 160);
}

TEST(ImageSave, CreatesFoldersAndReplacesAReadOnlyFile)
{
    TempDir dir;
    const QString path = dir.file("website/images/categorie/IT/7.jpg");
    ASSERT_TRUE(Image(solid(10, 10, qRgb(255, 0, 0))).saveJpeg(path));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    QString error;
    ASSERT_TRUE(Image(solid(40, 20, qRgb(0, 0, 255))).saveJpeg(path, &error)) << error.toStdString();
    EXPECT_TRUE(QFileInfo(path).permissions() & QFile::WriteOwner);
    Image back;
    ASSERT_TRUE(back.load(path));
    EXPECT_EQ(back.size(), QSize(40, 20));
    EXPECT_GT(qBlue(back.toQImage().pixel(20, 10)), 200);

    const QString gif = dir.file("g.gif");
    ASSERT_TRUE(Image(solid(5, 5, qRgb(1, 2, 3))).saveGif(gif));
    ASSERT_TRUE(QFile::setPermissions(gif, QFile::ReadOwner));
    ASSERT_TRUE(Image(solid(6, 6, qRgb(4, 5, 6))).saveGif(gif));
    EXPECT_TRUE(QFileInfo(gif).permissions() & QFile::WriteOwner);
    ASSERT_TRUE(back.load(gif));
    EXPECT_EQ(back.toQImage().pixel(0, 0), qRgb(4, 5, 6));

    EXPECT_FALSE(Image().saveJpeg(dir.file("empty.jpg")));
    EXPECT_FALSE(QFileInfo::exists(dir.file("empty.jpg")));
}

TEST(ImageSave, JpegLaysTransparentAreasOnWhite)
{
    TempDir dir;
    const QString path = dir.file("t.jpg");
    ASSERT_TRUE(Image(solid(16, 16, qRgba(0, 0, 0, 0))).saveJpeg(path));
    Image back;
    ASSERT_TRUE(back.load(path));
    EXPECT_GT(qRed(back.toQImage().pixel(8, 8)), 245);
}

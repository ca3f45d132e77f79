#include "support/imaging/ImageFit.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

TEST(ImageFit, FrameAreaLeavesRoomForTheCaption)
{
    EXPECT_EQ(ImageFit::frameArea(QRect(0, 0, 216, 124)), QRect(8, 16, 200, 100));
}

TEST(ImageFit, SmallImageIsCentredAtNaturalSize)
{
    EXPECT_EQ(ImageFit::targetRect(QRect(8, 16, 200, 100), QSize(50, 20)), QRect(83, 56, 50, 20));
    // Exactly the area's size still counts as fitting.
    EXPECT_EQ(ImageFit::targetRect(QRect(8, 16, 200, 100), QSize(200, 100)),
              QRect(8, 16, 200, 100));
}

TEST(ImageFit, LargeImageFillsOneSideWithEvenLeftover)
{
    const QRect area(8, 16, 200, 100); // box 196x96 at (10, 18)
    // Wider than the area: full width, height 49 trimmed to 48.
    EXPECT_EQ(ImageFit::targetRect(area, QSize(400, 100)), QRect(10, 42, 196, 48));
    // Taller: full height, width 24 leaves an even 172.
    EXPECT_EQ(ImageFit::targetRect(area, QSize(100, 400)), QRect(96, 18, 24, 96));
    // Odd area sizes are made even first: 201x101 works as 200x100.
    EXPECT_EQ(ImageFit::targetRect(QRect(0, 0, 201, 101), QSize(1000, 1000)),
              QRect(52, 2, 96, 96));
    // Nothing to draw.
    EXPECT_TRUE(ImageFit::targetRect(area, QSize()).isEmpty());
    EXPECT_TRUE(ImageFit::targetRect(QRect(0, 0, 3, 3), QSize(10, 10)).isEmpty());
}

TEST(ImageFit, PreviewZoom)
{
    EXPECT_EQ(ImageFit::fittingZoom(QSize(500, 300), QSize(100, 100)), 300);
    EXPECT_EQ(ImageFit::fittingZoom(QSize(500, 300), QSize(600, 100)), 0);
    EXPECT_EQ(ImageFit::fittingZoom(QSize(500, 300), QSize(1, 1)), 9000);

    const QRect area(0, 0, 500, 300);
    EXPECT_EQ(ImageFit::zoomedRect(area, QSize(100, 50), 200), QRect(150, 100, 200, 100));
    // Too large at the zoom: scaled down to fit, proportions kept.
    EXPECT_EQ(ImageFit::zoomedRect(area, QSize(1000, 300), 100), QRect(0, 75, 500, 150));
}

TEST(ImageFit, PaintDrawsTheFrameAndTheScaledImage)
{
    QImage canvas(216, 124, QImage::Format_ARGB32);
    canvas.fill(Qt::gray);
    QImage picture(400, 100, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    const QRect area = ImageFit::frameArea(canvas.rect()); // (8, 16, 200, 100)
    {
        QPainter painter(&canvas);
        ImageFit::paint(painter, area, picture);
    }
    EXPECT_EQ(canvas.pixel(8, 16), qRgb(0, 0, 0)) << "frame border";
    EXPECT_EQ(canvas.pixel(4, 4), qRgb(160, 160, 164)) << "outside the area untouched";
    EXPECT_EQ(canvas.pixel(100, 30), qRgb(255, 255, 255)) << "area above the picture";
    EXPECT_EQ(canvas.pixel(100, 66), qRgb(255, 0, 0)) << "inside QRect(10, 42, 196, 48)";
    EXPECT_EQ(canvas.pixel(100, 89), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(100, 91), qRgb(255, 255, 255));
}

TEST(ImageFit, SquareIconCentresThePictureOnWhite)
{
    QImage wide(160, 40, QImage::Format_ARGB32);
    wide.fill(Qt::blue);
    const QImage icon = ImageFit::squareIcon(wide, 80); // picture 80x20 at y 30
    ASSERT_EQ(icon.size(), QSize(80, 80));
    EXPECT_EQ(icon.pixel(40, 10), qRgb(255, 255, 255));
    EXPECT_EQ(icon.pixel(0, 40), qRgb(0, 0, 255));
    EXPECT_EQ(icon.pixel(79, 40), qRgb(0, 0, 255));
    EXPECT_EQ(icon.pixel(40, 70), qRgb(255, 255, 255));

    QImage tall(10, 40, QImage::Format_ARGB32);
    tall.fill(Qt::red);
    const QImage up = ImageFit::squareIcon(tall, 80); // picture 20x80 at x 30, scaled up
    EXPECT_EQ(up.pixel(40, 0), qRgb(255, 0, 0));
    EXPECT_EQ(up.pixel(20, 40), qRgb(255, 255, 255));
    EXPECT_TRUE(ImageFit::squareIcon(wide, 0).isNull());
}

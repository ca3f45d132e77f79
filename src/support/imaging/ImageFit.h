#pragma once

#include <QRect>
#include <QSize>

class QImage;
class QPainter;

// Where a picture is drawn inside a frame of an editor window.
class ImageFit {
public:
    // The drawing area inside a group box: its client rectangle reduced by 8
    // pixels left and right, 16 at the top (the caption) and 8 at the bottom.
    static QRect frameArea(const QRect &groupClient);

    // Target rectangle of an image of the given size in area. An image that
    // fits is drawn at its natural size, centred. A larger one is scaled,
    // aspect ratio kept, into the area made even-sized and reduced by 2
    // pixels on each side: it fills the height when the area is relatively
    // wider than the image, otherwise the width (a tie fills the width when
    // the area's right edge lies beyond its bottom edge, else the height); the
    // other side is trimmed by a pixel when needed so the leftover space is
    // even, and the image is centred. Returns an empty rectangle for an empty
    // image or area.
    static QRect targetRect(const QRect &area, QSize image);

    // Draws area as a white rectangle with a black border and the image in it
    // by targetRect().
    static void paint(QPainter &painter, const QRect &area, const QImage &image);

    // A square icon of the given side: the image scaled to fit with its
    // proportions kept (a wider image fills the width, a taller one the
    // height) and centred on white.
    static QImage squareIcon(const QImage &image, int side);

    // The zoom (percent) at which a picture is shown in a preview area: 100
    // times the smaller whole-number ratio of area to image in each
    // direction, at most 9000 (0 when the image does not fit at 100%).
    static int fittingZoom(QSize area, QSize image);
    // The picture at zoom percent, centred in area; when that does not fit,
    // scaled down to fit with its aspect ratio kept.
    static QRect zoomedRect(const QRect &area, QSize image, int zoomPercent);
};

#include "ImageFit.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

QRect ImageFit::frameArea(const QRect &groupClient)
{
    return groupClient.adjusted(8, 16, -8, -8);
}

QRect ImageFit::targetRect(const QRect &area, QSize image)
{
    if (image.isEmpty() || area.isEmpty())
        return {};
    const int areaW = area.width();
    const int areaH = area.height();
    if (image.width() <= areaW && image.height() <= areaH) {
        return QRect(area.left() + (areaW - image.width()) / 2,
                     area.top() + (areaH - image.height()) / 2, image.width(), image.height());
    }

    // Even-sized area, then 2 pixels of margin on each side.
    const int evenW = areaW - (areaW % 2);
    const int evenH = areaH - (areaH % 2);
    const int boxW = evenW - 4;
    const int boxH = evenH - 4;
    if (boxW <= 0 || boxH <= 0)
        return {};
    const int boxLeft = area.left() + 2;
    const int boxTop = area.top() + 2;

    // Compare boxW / boxH with imageW / imageH without division.
    const qint64 lhs = qint64(boxW) * image.height();
    const qint64 rhs = qint64(image.width()) * boxH;
    bool fillHeight;
    if (lhs != rhs) {
        fillHeight = lhs > rhs; // area relatively wider than the image
    } else {
        // Edges as exclusive coordinates, as a window rectangle gives them.
        const int right = area.left() + evenW;
        const int bottom = area.top() + evenH;
        fillHeight = !(right > bottom);
    }

    int w, h;
    if (fillHeight) {
        h = boxH;
        w = int(qint64(image.width()) * boxH / image.height());
        if ((boxW - w) % 2 != 0)
            --w;
    } else {
        w = boxW;
        h = int(qint64(image.height()) * boxW / image.width());
        if ((boxH - h) % 2 != 0)
            --h;
    }
    w = std::max(w, 1);
    h = std::max(h, 1);
    return QRect(boxLeft + (boxW - w) / 2, boxTop + (boxH - h) / 2, w, h);
}

void ImageFit::paint(QPainter &painter, const QRect &area, const QImage &image)
{
    painter.save();
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    const QRect target = targetRect(area, image.size());
    if (!target.isEmpty()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(target, image);
    }
    painter.restore();
}

int ImageFit::fittingZoom(QSize area, QSize image)
{
    if (image.isEmpty() || area.isEmpty())
        return 0;
    const int ratio = std::min(area.width() / image.width(), area.height() / image.height());
    return std::min(100 * ratio, 9000);
}

QRect ImageFit::zoomedRect(const QRect &area, QSize image, int zoomPercent)
{
    if (image.isEmpty() || area.isEmpty() || zoomPercent <= 0)
        return {};
    QSize size(int(qint64(image.width()) * zoomPercent / 100),
               int(qint64(image.height()) * zoomPercent / 100));
    if (size.width() > area.width() || size.height() > area.height())
        size = image.scaled(area.size(), Qt::KeepAspectRatio);
    size = size.expandedTo(QSize(1, 1));
    return QRect(area.left() + (area.width() - size.width()) / 2,
                 area.top() + (area.height() - size.height()) / 2, size.width(), size.height());
}

QImage ImageFit::squareIcon(const QImage &image, int side)
{
    if (side <= 0)
        return {};
    QImage icon(side, side, QImage::Format_ARGB32);
    icon.fill(Qt::white);
    if (image.isNull())
        return icon;
    QSize size;
    if (image.width() >= image.height())
        size = QSize(side, std::max(1, int(qint64(image.height()) * side / image.width())));
    else
        size = QSize(std::max(1, int(qint64(image.width()) * side / image.height())), side);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRect((side - size.width()) / 2, (side - size.height()) / 2, size.width(),
                            size.height()),
                      image);
    return icon;
}

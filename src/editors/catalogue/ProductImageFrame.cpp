#include "ProductImageFrame.h"

#include "support/imaging/ImageFit.h"

#include <QPainter>

ProductImageFrame::ProductImageFrame(const QString &title, QWidget *parent) : QGroupBox(title, parent)
{
    setMinimumSize(180, 150);
}

void ProductImageFrame::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void ProductImageFrame::paintEvent(QPaintEvent *event)
{
    QGroupBox::paintEvent(event);
    QPainter painter(this);
    ImageFit::paint(painter, ImageFit::frameArea(contentsRect()), m_image);
}

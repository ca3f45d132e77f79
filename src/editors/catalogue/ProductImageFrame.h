#pragma once

#include <QGroupBox>
#include <QImage>

// The picture of a product drawn inside a group box the way every editor
// draws images.
class ProductImageFrame : public QGroupBox {
public:
    ProductImageFrame(const QString &title, QWidget *parent);
    void setImage(const QImage &image);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
};

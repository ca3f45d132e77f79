#pragma once

#include "support/imaging/Image.h"

#include <QWidget>

class ProductImageFrame;
class QSlider;

// The page "Immagine" of the product editor: choosing the picture from
// disk, brightness and contrast previewed and then applied, and the two
// flips. The picture that would be stored (chosen, applied or flipped) is
// announced with pictureApplied; adjustments only previewed are dropped
// when the page is left.
class ProductPicturePage : public QWidget {
    Q_OBJECT
public:
    ProductPicturePage(QString projectFolder, QWidget *parent = nullptr);

    // The displayed product's stored picture (empty for none), unchanged.
    void showStored(const Image &image);
    const Image &workingImage() const { return m_working; }
    // A picture was chosen, applied or flipped since the record was shown
    // or the picture stored.
    bool imageChanged() const { return m_changed; }
    void markStored() { m_changed = false; }

    // Entering the page: the sliders start at zero from the current picture.
    void entered();
    // Leaving the page: adjustments not applied are dropped.
    void left();

    bool chooseImage();
    void previewAdjustments();
    void applyAdjustments();
    void flipImage(bool horizontal);

signals:
    void pictureApplied(const QImage &image);
    void imageChosen();

private:
    QString m_projectFolder;
    bool m_changed = false;
    Image m_working;
    Image m_base;
    QSlider *m_brightness = nullptr;
    QSlider *m_contrast = nullptr;
    ProductImageFrame *m_preview = nullptr;
};

#include "ProductPicturePage.h"

#include "ProductImageFrame.h"
#include "editors/common/ImageFileFilter.h"
#include "support/UiPort.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace {
const QString kPictureTitle = QStringLiteral("Immagine prodotto");
} // namespace

ProductPicturePage::ProductPicturePage(QString projectFolder, QWidget *parent)
    : QWidget(parent), m_projectFolder(std::move(projectFolder))
{
    auto *grid = new QGridLayout(this);
    auto *choose = new QPushButton(QStringLiteral("Scegli su disco"), this);
    auto *preview = new QPushButton(QStringLiteral("Anteprima"), this);
    auto *apply = new QPushButton(QStringLiteral("Applica"), this);
    auto *flipH = new QPushButton(QStringLiteral("Flip orizzontale"), this);
    auto *flipV = new QPushButton(QStringLiteral("Flip verticale"), this);
    m_brightness = new QSlider(Qt::Horizontal, this);
    m_brightness->setRange(Image::kBrightnessMin, Image::kBrightnessMax);
    m_contrast = new QSlider(Qt::Horizontal, this);
    m_contrast->setRange(Image::kContrastMin, Image::kContrastMax);
    m_preview = new ProductImageFrame(QStringLiteral("Anteprima"), this);
    grid->addWidget(choose, 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Luminosità"), this), 1, 0);
    grid->addWidget(m_brightness, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Contrasto"), this), 2, 0);
    grid->addWidget(m_contrast, 2, 1);
    grid->addWidget(preview, 3, 0);
    grid->addWidget(apply, 3, 1);
    grid->addWidget(flipH, 4, 0);
    grid->addWidget(flipV, 4, 1);
    grid->addWidget(m_preview, 0, 2, 6, 1);
    grid->setColumnStretch(2, 1);
    connect(choose, &QPushButton::clicked, this, [this] { chooseImage(); });
    connect(preview, &QPushButton::clicked, this, [this] { previewAdjustments(); });
    connect(apply, &QPushButton::clicked, this, [this] { applyAdjustments(); });
    connect(flipH, &QPushButton::clicked, this, [this] { flipImage(true); });
    connect(flipV, &QPushButton::clicked, this, [this] { flipImage(false); });
}

void ProductPicturePage::showStored(const Image &image)
{
    m_changed = false;
    m_working = image;
    m_base = image;
    m_preview->setImage(m_working.toQImage());
    emit pictureApplied(m_working.toQImage());
}

void ProductPicturePage::entered()
{
    m_base = m_working;
    m_brightness->setValue(0);
    m_contrast->setValue(0);
}

void ProductPicturePage::left()
{
    m_working = m_base;
    m_preview->setImage(m_working.toQImage());
    emit pictureApplied(m_working.toQImage());
}

bool ProductPicturePage::chooseImage()
{
    const QString path = ui().chooseOpenFile(kPictureTitle, m_projectFolder, kImageFileFilter);
    if (path.isEmpty())
        return false;
    Image loaded;
    if (!loaded.load(path)) {
        ui().tell(kPictureTitle, QStringLiteral("Impossibile leggere l'immagine!"), UiPort::Icon::Stop);
        return false;
    }
    m_working = loaded;
    m_base = loaded;
    m_changed = true;
    m_preview->setImage(m_working.toQImage());
    emit pictureApplied(m_working.toQImage());
    emit imageChosen();
    return true;
}

void ProductPicturePage::previewAdjustments()
{
    m_working = m_base;
    m_working.adjustBrightness(m_brightness->value());
    m_working.adjustContrast(m_contrast->value());
    m_preview->setImage(m_working.toQImage());
}

void ProductPicturePage::applyAdjustments()
{
    m_base = m_working;
    m_changed = true;
    emit pictureApplied(m_working.toQImage());
}

void ProductPicturePage::flipImage(bool horizontal)
{
    // A flip is kept like an applied adjustment.
    for (Image *image : {&m_working, &m_base}) {
        if (horizontal)
            image->flipHorizontal();
        else
            image->flipVertical();
    }
    m_changed = true;
    m_preview->setImage(m_working.toQImage());
    emit pictureApplied(m_working.toQImage());
}

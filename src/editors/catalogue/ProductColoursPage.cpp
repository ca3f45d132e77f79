#include "ProductColoursPage.h"

#include "catalogue/ProductColours.h"
#include "controls/CValidatedEdit.h"
#include "editors/common/DataGuard.h"
#include "editors/common/ImageFileFilter.h"
#include "support/UiPort.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {
const QString kColoursTitle = QStringLiteral("Colori prodotti");
} // namespace

ProductColoursPage::ProductColoursPage(ProductColours &colours, QString projectFolder,
                                       std::function<int()> productId, QString guardTitle, QWidget *parent)
    : QWidget(parent), m_colours(colours), m_projectFolder(std::move(projectFolder)),
      m_productId(std::move(productId)), m_guardTitle(std::move(guardTitle))
{
    auto *grid = new QGridLayout(this);
    m_list = new QListWidget(this);
    m_list->setViewMode(QListView::IconMode);
    m_list->setIconSize(QSize(80, 80));
    m_list->setResizeMode(QListView::Adjust);
    m_list->setMovement(QListView::Static);
    m_code = CValidatedEdit::create(this, QStringLiteral("codiceColore"), 0, 32, 0, 0);
    m_description = CValidatedEdit::create(this, QStringLiteral("descrizioneColore"), 0, 100, 0, 0);
    m_active = new QCheckBox(QStringLiteral("Attivo"), this);
    auto *photo = new QPushButton(QStringLiteral("Seleziona foto"), this);
    auto *detail = new QPushButton(QStringLiteral("Seleziona dettaglio"), this);
    auto *insert = new QPushButton(QStringLiteral("Inserisci"), this);
    auto *save = new QPushButton(QStringLiteral("Salva"), this);
    auto *remove = new QPushButton(QStringLiteral("Elimina"), this);
    grid->addWidget(m_list, 0, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Codice colore"), this), 1, 0);
    grid->addWidget(m_code, 1, 1);
    grid->addWidget(m_active, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Descrizione"), this), 2, 0);
    grid->addWidget(m_description, 2, 1, 1, 3);
    grid->addWidget(photo, 3, 0);
    grid->addWidget(detail, 3, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(insert);
    buttons->addWidget(save);
    buttons->addWidget(remove);
    grid->addLayout(buttons, 4, 0, 1, 4);
    grid->setRowStretch(0, 1);
    connect(m_list, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (item)
            runGuarded(m_guardTitle, [&] { showColour(item->data(Qt::UserRole).toInt()); });
    });
    connect(photo, &QPushButton::clicked, this, [this] { chooseColourPhoto(); });
    connect(detail, &QPushButton::clicked, this, [this] { chooseColourDetail(); });
    connect(insert, &QPushButton::clicked, this, [this] { newColour(); });
    connect(save, &QPushButton::clicked, this, [this] { runGuarded(m_guardTitle, [this] { saveColour(); }); });
    connect(remove, &QPushButton::clicked, this, [this] { runGuarded(m_guardTitle, [this] { deleteColour(); }); });
}

void ProductColoursPage::load()
{
    const QSignalBlocker block(m_list);
    m_list->clear();
    const int side = m_colours.iconSide();
    m_list->setIconSize(QSize(side, side));
    for (const ProductColour &colour : m_colours.colours(m_productId())) {
        auto *item = new QListWidgetItem(QIcon(QPixmap::fromImage(m_colours.icon(colour))),
                                         colour.description, m_list);
        item->setData(Qt::UserRole, colour.id);
    }
    newColour();
}

void ProductColoursPage::newColour()
{
    m_colourId = 0;
    m_hasPhoto = false;
    m_hasDetail = false;
    m_photo.clear();
    m_detail.clear();
    m_code->setText(QString());
    m_description->setText(QString());
    m_active->setChecked(true);
    {
        const QSignalBlocker block(m_list);
        m_list->setCurrentRow(-1);
    }
    m_code->setFocus();
}

void ProductColoursPage::showColour(int colourId)
{
    for (const ProductColour &colour : m_colours.colours(m_productId())) {
        if (colour.id != colourId)
            continue;
        m_colourId = colour.id;
        m_hasPhoto = colour.hasPhoto;
        m_hasDetail = colour.hasDetail;
        m_photo.clear();
        m_detail.clear();
        m_code->setText(colour.code);
        m_description->setText(colour.description);
        m_active->setChecked(colour.active);
        return;
    }
}

bool ProductColoursPage::chooseColourImage(Image &target)
{
    const QString path = ui().chooseOpenFile(kColoursTitle, m_projectFolder, kImageFileFilter);
    if (path.isEmpty())
        return false;
    Image loaded;
    if (!loaded.load(path)) {
        ui().tell(kColoursTitle, QStringLiteral("Impossibile leggere l'immagine!"), UiPort::Icon::Stop);
        return false;
    }
    target = loaded;
    return true;
}

bool ProductColoursPage::chooseColourPhoto()
{
    return chooseColourImage(m_photo);
}

bool ProductColoursPage::chooseColourDetail()
{
    return chooseColourImage(m_detail);
}

bool ProductColoursPage::saveColour()
{
    const int productId = m_productId();
    if (productId == 0)
        return false;
    const QString code = m_code->text().trimmed();
    const QString description = m_description->text().trimmed();
    const auto refusal = ProductColours::validate(code, description, m_hasPhoto || m_photo.isLoaded(),
                                                  m_hasDetail || m_detail.isLoaded());
    if (refusal) {
        ui().tell(refusal->title, refusal->message, UiPort::Icon::Stop);
        if (code.isEmpty())
            m_code->setFocus();
        else if (description.isEmpty())
            m_description->setFocus();
        return false;
    }
    QString error;
    const int id = m_colours.save(productId, m_colourId, code, description, m_active->isChecked(), m_photo,
                                  m_detail, &error);
    if (id == 0) {
        ui().tell(kColoursTitle, QStringLiteral("Impossibile salvare l'immagine del colore:\n%1").arg(error),
                  UiPort::Icon::Stop);
        return false;
    }
    load();
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->data(Qt::UserRole).toInt() == id)
            m_list->setCurrentRow(i);
    }
    return true;
}

bool ProductColoursPage::deleteColour()
{
    if (m_colourId == 0)
        return false;
    if (!ui().ask(QStringLiteral("Cancellazione colore"), QStringLiteral("Confermi ?")))
        return false;
    m_colours.remove(m_colourId);
    load();
    return true;
}

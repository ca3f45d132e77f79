#include "CProdottiView.h"

#include "catalogue/CategoryTree.h"
#include "catalogue/ProductColours.h"
#include "catalogue/ProductFiles.h"
#include "CTabelleTaglieDlg.h"

#include "controls/CCheckTreeCtrl.h"
#include "controls/CEditableGrid.h"
#include "controls/CValidatedEdit.h"
#include "data/sets/CProdottiGeneraleSet.h"
#include "editors/common/DataGuard.h"
#include "editors/common/EditorHost.h"
#include "support/UiPort.h"
#include "support/imaging/ImageFit.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDesktopServices>
#include <QListWidget>
#include <QUrl>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("Archivio Prodotti");
const QString kInsertTitle = QStringLiteral("Inserimento prodotto");
const QString kImageFilter = QStringLiteral(
    "Tutti i formati supportati (*.bmp *.jpg *.gif);;Files Bitmap (*.bmp);;Files Jpeg (*.jpg);;Files Gif (*.gif)");

std::optional<double> number(const CValidatedEdit *edit)
{
    double value = 0;
    if (!edit->GetValue(value))
        return std::nullopt;
    return value;
}

void showNumber(CValidatedEdit *edit, const std::optional<double> &value)
{
    if (value)
        edit->SetValue(*value);
    else
        edit->Blank();
}

QDate date(const CValidatedEdit *edit)
{
    QDate value;
    return edit->GetValue(value) ? value : QDate();
}

CValidatedEdit *makeEdit(QWidget *parent, const char *name, int kind, int width, int flag, int decimals)
{
    auto *edit = new CValidatedEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->SetParam(kind, width, flag, decimals);
    return edit;
}

} // namespace

// The picture of a product drawn inside a group box the way every editor
// draws images.
class ProductImageFrame : public QGroupBox {
public:
    ProductImageFrame(const QString &title, QWidget *parent) : QGroupBox(title, parent)
    {
        setMinimumSize(180, 150);
    }
    void setImage(const QImage &image)
    {
        m_image = image;
        update();
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QGroupBox::paintEvent(event);
        QPainter painter(this);
        ImageFit::paint(painter, ImageFit::frameArea(contentsRect()), m_image);
    }

private:
    QImage m_image;
};

CProdottiView::CProdottiView(EditorHost &host, int baseProductId, QWidget *parent)
    : NavigationEditorView(host, std::make_unique<CProdottiGeneraleSet>(host.database()),
                           NavigationTexts{}, parent),
      m_product(std::make_unique<ProductRecords>(host.database(), host, host.projectFolder())),
      m_baseId(baseProductId), m_files(std::make_unique<ProductFiles>(host.projectFolder())),
      m_colours(std::make_unique<ProductColours>(host.database(), host.projectFolder()))
{
    setObjectName(QStringLiteral("CProdottiView"));
    setFollowsLanguage(true);
    records().setSort(QStringLiteral("Ordine"));
    buildForm();
    runGuarded(kTitle, [this] { buildCategoryTree(); });
    start(ProductRecords::baseFilter(m_baseId));
    navigationStateChanged();
}

CProdottiView::~CProdottiView() = default;

QWidget *CProdottiView::create(EditorHost &host, QWidget *parent)
{
    return new CProdottiView(host, 0, parent);
}

bool CProdottiView::handlesRecordCommand(int command) const
{
    return command == VariantsCommand || NavigationEditorView::handlesRecordCommand(command);
}

CommandState CProdottiView::recordCommandState(int command)
{
    if (command != VariantsCommand)
        return NavigationEditorView::recordCommandState(command);
    CommandState state;
    state.enabled = !navigation().isInserting()
        && navigation().filterState() != NavigationEditor::EnteringCriteria && m_shown.id != 0;
    return state;
}

void CProdottiView::runRecordCommand(int command)
{
    if (command != VariantsCommand) {
        NavigationEditorView::runRecordCommand(command);
        return;
    }
    CProdottiView *variants = createVariantsEditor();
    if (variants && !host().openSecondaryEditor(variants, m_shown.id))
        delete variants;
}

CProdottiView *CProdottiView::createVariantsEditor(QWidget *parent)
{
    if (navigation().isInserting() || navigation().filterState() == NavigationEditor::EnteringCriteria
        || m_shown.id == 0)
        return nullptr;
    bool saved = false;
    runGuarded(kTitle, [&] { saved = navigation().commitPending(); });
    if (!saved)
        return nullptr;
    auto *variants = new CProdottiView(host(), m_shown.id, parent);
    variants->setWindowTitle(QStringLiteral("Gestione Varianti - ") + m_shown.fields.name);
    return variants;
}

void CProdottiView::buildForm()
{
    auto *top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral("Codice"), this), 0, 0);
    m_code = makeEdit(this, "codice", 0, 32, 0, 0);
    top->addWidget(m_code, 0, 1);
    m_categoriesButton = new QPushButton(QStringLiteral("Categorie"), this);
    connect(m_categoriesButton, &QPushButton::clicked, this, [this] { showCategories(); });
    top->addWidget(m_categoriesButton, 0, 2);
    top->addWidget(positionLabel(), 0, 3, Qt::AlignRight);
    m_summary = new QPlainTextEdit(this);
    m_summary->setReadOnly(true);
    m_summary->setMaximumHeight(48);
    top->addWidget(m_summary, 1, 0, 1, 4);

    m_pages = new QTabWidget(this);
    m_pages->addTab(buildGeneralPage(), QStringLiteral("Generale"));
    m_pages->addTab(buildPricesPage(), QStringLiteral("Prezzi"));
    m_pages->addTab(buildPicturePage(), QStringLiteral("Immagine"));
    m_pages->addTab(buildColoursPage(), QStringLiteral("Colori"));
    m_pages->addTab(buildSizesPage(), QStringLiteral("Taglie"));
    m_pages->addTab(buildCustomPage(), QStringLiteral("Custom"));
    m_pages->addTab(buildFilesPage(), QStringLiteral("Files"));
    const int pageIds[] = {ProductRecords::General, ProductRecords::Prices, ProductRecords::Picture,
                           ProductRecords::Colours, ProductRecords::Sizes, ProductRecords::Custom, ProductRecords::Files};
    for (int i = 0; i < m_pages->count(); ++i)
        m_pages->widget(i)->setProperty("page", pageIds[i]);
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) { pageChanged(index); });

    m_picture = new ProductImageFrame(QStringLiteral("Immagine prodotto"), this);

    auto *body = new QHBoxLayout;
    body->addWidget(m_pages, 1);
    body->addWidget(m_picture);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(body, 1);

    m_popup = new QFrame(this, Qt::Popup);
    m_popup->setWindowTitle(QStringLiteral("Selezione categorie"));
    m_popup->setFrameShape(QFrame::Box);
    m_categories = new CCheckTreeCtrl(m_popup);
    m_categories->setHeaderHidden(true);
    auto *popupLayout = new QVBoxLayout(m_popup);
    popupLayout->setContentsMargins(2, 2, 2, 2);
    popupLayout->addWidget(m_categories);
    m_popup->resize(280, 320);
    connect(m_categories, &CCheckTreeCtrl::itemToggled, this,
            [this](QTreeWidgetItem *, int id, bool) { categoryToggled(id); });

    addFilterBox(m_active);
    addFilterBox(m_novelty);
    addFilterBox(m_mailing);
    addFilterBox(m_offer);
    for (QWidget *w : std::initializer_list<QWidget *>{
             m_name, m_invoice, m_short, m_long, m_prices[0], m_prices[1], m_prices[2], m_prices[3],
             m_promoPrice, m_vat, m_availability, m_pack, m_weight, m_discount, m_unit, m_validFrom,
             m_validTo, m_chooseDiscount, m_choosePromo})
        addNonCriteriaControl(w);
}

QWidget *CProdottiView::buildGeneralPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    m_name = makeEdit(page, "nome", 0, 255, 1, 0);
    m_barcode = makeEdit(page, "codiceABarre", 1, 13, 1, 0);
    m_invoice = makeEdit(page, "descrizioneFattura", 0, -1, 0, 0);
    m_short = makeEdit(page, "descrizioneBreve", 0, -1, 0, 0);
    m_long = makeEdit(page, "descrizioneEstesa", 0, -1, 0, 0);
    form->addRow(QStringLiteral("Nome"), m_name);
    form->addRow(QStringLiteral("Codice a Barre"), m_barcode);
    form->addRow(QStringLiteral("Descrizione in fattura"), m_invoice);
    form->addRow(QStringLiteral("Descrizione breve"), m_short);
    form->addRow(QStringLiteral("Descrizione estesa"), m_long);
    auto *boxes = new QHBoxLayout;
    m_active = new QCheckBox(QStringLiteral("Attivo"), page);
    m_novelty = new QCheckBox(QStringLiteral("Novità"), page);
    m_mailing = new QCheckBox(QStringLiteral("Mailing"), page);
    boxes->addWidget(m_active);
    boxes->addWidget(m_novelty);
    boxes->addWidget(m_mailing);
    boxes->addStretch();
    form->addRow(boxes);
    return page;
}

QWidget *CProdottiView::buildPricesPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    for (int i = 0; i < 4; ++i) {
        m_prices[i] = makeEdit(page, "prezzo", 4, 10, 1, 6);
        m_prices[i]->setObjectName(QStringLiteral("prezzo%1").arg(i + 1));
        grid->addWidget(new QLabel(QStringLiteral("Prezzo %1").arg(i + 1), page), i, 0);
        grid->addWidget(m_prices[i], i, 1);
    }
    m_promoPrice = makeEdit(page, "prezzoPromozionale", 4, 10, 1, 6);
    grid->addWidget(new QLabel(QStringLiteral("Prezzo Promozionale"), page), 4, 0);
    grid->addWidget(m_promoPrice, 4, 1);
    m_unit = makeEdit(page, "unitaMisura", 0, 10, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("U.M."), page), 5, 0);
    grid->addWidget(m_unit, 5, 1);

    m_vat = makeEdit(page, "iva", 2, 5, 1, 2);
    m_availability = makeEdit(page, "disponibilita", 2, 5, 1, 2);
    m_pack = makeEdit(page, "confezione", 2, 7, 1, 2);
    m_weight = makeEdit(page, "peso", 2, 7, 0, 3);
    const std::pair<const char *, CValidatedEdit *> right[] = {
        {"IVA", m_vat}, {"Disponibilità", m_availability}, {"Confez.", m_pack}, {"Peso", m_weight}};
    int row = 0;
    for (const auto &[label, edit] : right) {
        grid->addWidget(new QLabel(QString::fromUtf8(label), page), row, 2);
        grid->addWidget(edit, row++, 3);
    }

    auto *offerBox = new QGroupBox(page);
    auto *offer = new QGridLayout(offerBox);
    m_offer = new QCheckBox(QStringLiteral("Offerta"), offerBox);
    m_chooseDiscount = new QRadioButton(QStringLiteral("% Sconto"), offerBox);
    m_choosePromo = new QRadioButton(QStringLiteral("Prezzo Promozionale"), offerBox);
    auto *choice = new QButtonGroup(offerBox);
    choice->addButton(m_chooseDiscount);
    choice->addButton(m_choosePromo);
    m_chooseDiscount->setChecked(true);
    m_discount = makeEdit(offerBox, "sconto", 2, 5, 0, 2);
    m_validFrom = makeEdit(offerBox, "validitaDal", 5, 8, 0, 0);
    m_validTo = makeEdit(offerBox, "validitaAl", 5, 8, 0, 0);
    offer->addWidget(m_offer, 0, 0);
    offer->addWidget(m_chooseDiscount, 0, 1);
    offer->addWidget(m_choosePromo, 0, 2);
    offer->addWidget(new QLabel(QStringLiteral("% Sconto"), offerBox), 1, 0);
    offer->addWidget(m_discount, 1, 1);
    offer->addWidget(new QLabel(QStringLiteral("Validità dal"), offerBox), 2, 0);
    offer->addWidget(m_validFrom, 2, 1);
    offer->addWidget(new QLabel(QStringLiteral("Validità al"), offerBox), 2, 2);
    offer->addWidget(m_validTo, 2, 3);
    grid->addWidget(offerBox, 6, 0, 1, 4);
    grid->setRowStretch(7, 1);
    return page;
}

QWidget *CProdottiView::buildPicturePage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    auto *choose = new QPushButton(QStringLiteral("Scegli su disco"), page);
    auto *preview = new QPushButton(QStringLiteral("Anteprima"), page);
    auto *apply = new QPushButton(QStringLiteral("Applica"), page);
    auto *flipH = new QPushButton(QStringLiteral("Flip orizzontale"), page);
    auto *flipV = new QPushButton(QStringLiteral("Flip verticale"), page);
    m_brightness = new QSlider(Qt::Horizontal, page);
    m_brightness->setRange(Image::kBrightnessMin, Image::kBrightnessMax);
    m_contrast = new QSlider(Qt::Horizontal, page);
    m_contrast->setRange(Image::kContrastMin, Image::kContrastMax);
    m_pagePicture = new ProductImageFrame(QStringLiteral("Anteprima"), page);
    grid->addWidget(choose, 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Luminosità"), page), 1, 0);
    grid->addWidget(m_brightness, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Contrasto"), page), 2, 0);
    grid->addWidget(m_contrast, 2, 1);
    grid->addWidget(preview, 3, 0);
    grid->addWidget(apply, 3, 1);
    grid->addWidget(flipH, 4, 0);
    grid->addWidget(flipV, 4, 1);
    grid->addWidget(m_pagePicture, 0, 2, 6, 1);
    grid->setColumnStretch(2, 1);
    connect(choose, &QPushButton::clicked, this, [this] { chooseImage(); });
    connect(preview, &QPushButton::clicked, this, [this] { previewAdjustments(); });
    connect(apply, &QPushButton::clicked, this, [this] { applyAdjustments(); });
    connect(flipH, &QPushButton::clicked, this, [this] { flipImage(true); });
    connect(flipV, &QPushButton::clicked, this, [this] { flipImage(false); });
    return page;
}

QWidget *CProdottiView::buildCustomPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    m_custom = new CEditableGrid(page);
    m_custom->setHeader(QStringLiteral("Nome\tValore\t"));
    m_custom->setupColumn(0, 200, CEditableGrid::ReadOnly);
    m_custom->setupColumn(1, 300, CEditableGrid::Editable);
    layout->addWidget(m_custom);
    return page;
}

QWidget *CProdottiView::buildSizesPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    m_sizesOn = new QCheckBox(QStringLiteral("Taglie"), page);
    m_sizeTable = new QComboBox(page);
    m_sizeFrom = new QComboBox(page);
    m_sizeTo = new QComboBox(page);
    form->addRow(m_sizesOn);
    form->addRow(QStringLiteral("Tabella Taglie"), m_sizeTable);
    form->addRow(QStringLiteral("Dalla taglia"), m_sizeFrom);
    form->addRow(QStringLiteral("Alla taglia"), m_sizeTo);
    auto *manage = new QPushButton(QStringLiteral("Gestione Tabelle Taglie"), page);
    form->addRow(manage);
    connect(manage, &QPushButton::clicked, this, [this] { manageSizeTables(); });
    connect(m_sizesOn, &QCheckBox::toggled, this, [this](bool on) {
        m_sizeTable->setEnabled(on);
        if (!on)
            m_sizeTable->setCurrentIndex(-1);
    });
    connect(m_sizeTable, &QComboBox::activated, this, [this](int index) {
        runGuarded(kTitle, [&] { fillSizeSelector(m_sizeTable->itemData(index).toInt(), -1, -1); });
    });
    return page;
}

QWidget *CProdottiView::buildColoursPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    m_colourList = new QListWidget(page);
    m_colourList->setViewMode(QListView::IconMode);
    m_colourList->setIconSize(QSize(80, 80));
    m_colourList->setResizeMode(QListView::Adjust);
    m_colourList->setMovement(QListView::Static);
    m_colourCode = makeEdit(page, "codiceColore", 0, 32, 0, 0);
    m_colourDescription = makeEdit(page, "descrizioneColore", 0, 100, 0, 0);
    m_colourActive = new QCheckBox(QStringLiteral("Attivo"), page);
    auto *photo = new QPushButton(QStringLiteral("Seleziona foto"), page);
    auto *detail = new QPushButton(QStringLiteral("Seleziona dettaglio"), page);
    auto *insert = new QPushButton(QStringLiteral("Inserisci"), page);
    auto *save = new QPushButton(QStringLiteral("Salva"), page);
    auto *remove = new QPushButton(QStringLiteral("Elimina"), page);
    grid->addWidget(m_colourList, 0, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Codice colore"), page), 1, 0);
    grid->addWidget(m_colourCode, 1, 1);
    grid->addWidget(m_colourActive, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Descrizione"), page), 2, 0);
    grid->addWidget(m_colourDescription, 2, 1, 1, 3);
    grid->addWidget(photo, 3, 0);
    grid->addWidget(detail, 3, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(insert);
    buttons->addWidget(save);
    buttons->addWidget(remove);
    grid->addLayout(buttons, 4, 0, 1, 4);
    grid->setRowStretch(0, 1);
    connect(m_colourList, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (item)
            runGuarded(kTitle, [&] { showColour(item->data(Qt::UserRole).toInt()); });
    });
    connect(photo, &QPushButton::clicked, this, [this] { chooseColourPhoto(); });
    connect(detail, &QPushButton::clicked, this, [this] { chooseColourDetail(); });
    connect(insert, &QPushButton::clicked, this, [this] { newColour(); });
    connect(save, &QPushButton::clicked, this, [this] { runGuarded(kTitle, [this] { saveColour(); }); });
    connect(remove, &QPushButton::clicked, this, [this] { runGuarded(kTitle, [this] { deleteColour(); }); });
    return page;
}

void CProdottiView::loadColoursPage()
{
    const QSignalBlocker block(m_colourList);
    m_colourList->clear();
    const int side = m_colours->iconSide();
    m_colourList->setIconSize(QSize(side, side));
    for (const ProductColour &colour : m_colours->colours(m_shown.id)) {
        auto *item = new QListWidgetItem(QIcon(QPixmap::fromImage(m_colours->icon(colour))),
                                         colour.description, m_colourList);
        item->setData(Qt::UserRole, colour.id);
    }
    newColour();
}

void CProdottiView::newColour()
{
    m_colourId = 0;
    m_colourHasPhoto = false;
    m_colourHasDetail = false;
    m_colourPhoto.clear();
    m_colourDetail.clear();
    m_colourCode->setText(QString());
    m_colourDescription->setText(QString());
    m_colourActive->setChecked(true);
    {
        const QSignalBlocker block(m_colourList);
        m_colourList->setCurrentRow(-1);
    }
    m_colourCode->setFocus();
}

void CProdottiView::showColour(int colourId)
{
    for (const ProductColour &colour : m_colours->colours(m_shown.id)) {
        if (colour.id != colourId)
            continue;
        m_colourId = colour.id;
        m_colourHasPhoto = colour.hasPhoto;
        m_colourHasDetail = colour.hasDetail;
        m_colourPhoto.clear();
        m_colourDetail.clear();
        m_colourCode->setText(colour.code);
        m_colourDescription->setText(colour.description);
        m_colourActive->setChecked(colour.active);
        return;
    }
}

bool CProdottiView::chooseColourImage(Image &target)
{
    const QString path = ui().chooseOpenFile(QStringLiteral("Colori prodotti"), host().projectFolder(),
                                             kImageFilter);
    if (path.isEmpty())
        return false;
    Image loaded;
    if (!loaded.load(path)) {
        ui().tell(QStringLiteral("Colori prodotti"), QStringLiteral("Impossibile leggere l'immagine!"),
                  UiPort::Icon::Stop);
        return false;
    }
    target = loaded;
    return true;
}

bool CProdottiView::chooseColourPhoto()
{
    return chooseColourImage(m_colourPhoto);
}

bool CProdottiView::chooseColourDetail()
{
    return chooseColourImage(m_colourDetail);
}

bool CProdottiView::saveColour()
{
    if (m_shown.id == 0)
        return false;
    const QString code = m_colourCode->text().trimmed();
    const QString description = m_colourDescription->text().trimmed();
    const auto refusal =
        ProductColours::validate(code, description, m_colourHasPhoto || m_colourPhoto.isLoaded(),
                                 m_colourHasDetail || m_colourDetail.isLoaded());
    if (refusal) {
        ui().tell(refusal->title, refusal->message, UiPort::Icon::Stop);
        if (code.isEmpty())
            m_colourCode->setFocus();
        else if (description.isEmpty())
            m_colourDescription->setFocus();
        return false;
    }
    QString error;
    const int id = m_colours->save(m_shown.id, m_colourId, code, description, m_colourActive->isChecked(),
                                   m_colourPhoto, m_colourDetail, &error);
    if (id == 0) {
        ui().tell(QStringLiteral("Colori prodotti"),
                  QStringLiteral("Impossibile salvare l'immagine del colore:\n%1").arg(error),
                  UiPort::Icon::Stop);
        return false;
    }
    loadColoursPage();
    for (int i = 0; i < m_colourList->count(); ++i) {
        if (m_colourList->item(i)->data(Qt::UserRole).toInt() == id)
            m_colourList->setCurrentRow(i);
    }
    return true;
}

bool CProdottiView::deleteColour()
{
    if (m_colourId == 0)
        return false;
    if (!ui().ask(QStringLiteral("Cancellazione colore"), QStringLiteral("Confermi ?")))
        return false;
    m_colours->remove(m_colourId);
    loadColoursPage();
    return true;
}

void CProdottiView::fillSizeSelector(int tableId, int from, int to)
{
    m_sizeFrom->clear();
    m_sizeTo->clear();
    if (tableId == 0)
        return;
    const QStringList sizes = m_product->sizesOf(tableId);
    m_sizeFrom->addItems(sizes);
    m_sizeTo->addItems(sizes);
    m_sizeFrom->setCurrentIndex(from < sizes.size() ? from : -1);
    m_sizeTo->setCurrentIndex(to < sizes.size() ? to : -1);
}

void CProdottiView::manageSizeTables()
{
    CTabelleTaglieDlg dialog(host().database(), this);
    dialog.exec();
    runGuarded(kTitle, [this] { sizeTablesEdited(); });
}

void CProdottiView::sizeTablesEdited()
{
    const QSignalBlocker block(m_sizeTable);
    m_sizeTable->clear();
    for (const auto &[id, name] : m_product->sizeTables())
        m_sizeTable->addItem(name, id);
    m_sizesOn->setChecked(false);
    m_sizeTable->setEnabled(false);
    m_sizeTable->setCurrentIndex(-1);
    fillSizeSelector(0, -1, -1);
}

void CProdottiView::loadSizesPage()
{
    const QSignalBlocker block(m_sizeTable);
    m_sizeTable->clear();
    for (const auto &[id, name] : m_product->sizeTables())
        m_sizeTable->addItem(name, id);
    const ProductFields &f = m_shown.fields;
    m_sizesOn->setChecked(f.sizeTable != 0);
    m_sizeTable->setEnabled(f.sizeTable != 0);
    m_sizeTable->setCurrentIndex(m_sizeTable->findData(f.sizeTable));
    fillSizeSelector(m_sizeTable->currentIndex() < 0 ? 0 : f.sizeTable, f.sizeFrom, f.sizeTo);
    m_sizesLoaded = true;
}

QWidget *CProdottiView::buildFilesPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    m_fileList = new QListWidget(page);
    m_fileCode = makeEdit(page, "codiceFile", 0, 50, 0, 0);
    auto *add = new QPushButton(QStringLiteral("Inserisci"), page);
    auto *choose = new QPushButton(QStringLiteral("Modifica"), page);
    auto *remove = new QPushButton(QStringLiteral("Cancella"), page);
    auto *open = new QPushButton(QStringLiteral("Apri"), page);
    grid->addWidget(m_fileList, 0, 0, 6, 1);
    grid->addWidget(new QLabel(QStringLiteral("Codice file"), page), 0, 1);
    grid->addWidget(m_fileCode, 1, 1);
    grid->addWidget(add, 2, 1);
    grid->addWidget(choose, 3, 1);
    grid->addWidget(remove, 4, 1);
    grid->addWidget(open, 5, 1);
    connect(m_fileList, &QListWidget::currentTextChanged, this,
            [this](const QString &code) { m_fileCode->SetValue(code); });
    connect(add, &QPushButton::clicked, this, [this] { addFileCode(); });
    connect(choose, &QPushButton::clicked, this, [this] { chooseFileForCode(); });
    connect(remove, &QPushButton::clicked, this, [this] { deleteFileCode(); });
    connect(open, &QPushButton::clicked, this, [this] { openFile(); });
    return page;
}

void CProdottiView::loadFileList()
{
    m_fileList->clear();
    m_fileCode->Blank();
    if (m_shown.id != 0)
        m_fileList->addItems(m_files->codes(m_shown.id));
}

bool CProdottiView::addFileCode()
{
    QStringList listed;
    for (int i = 0; i < m_fileList->count(); ++i)
        listed << m_fileList->item(i)->text();
    const QString code = m_fileCode->text().trimmed().toLower();
    const QString refusal = ProductFiles::checkNewCode(code, listed);
    if (!refusal.isEmpty()) {
        ui().tell(QStringLiteral("Validazione campi"), refusal, UiPort::Icon::Stop);
        m_fileCode->setFocus();
        return false;
    }
    m_fileList->addItem(code);
    m_fileList->setCurrentRow(m_fileList->count() - 1);
    return true;
}

bool CProdottiView::chooseFileForCode()
{
    QListWidgetItem *item = m_fileList->currentItem();
    if (!item || m_shown.id == 0)
        return false;
    const QString source = ui().chooseOpenFile(QStringLiteral("Files"), QString(),
                                               QStringLiteral("Tutti i files (*.*)"));
    if (source.isEmpty())
        return false;
    QString error;
    if (!m_files->attach(m_shown.id, item->text(), source, &error)) {
        ui().tell(QStringLiteral("Files"), QStringLiteral("Impossibile copiare il file!\n%1").arg(error),
                  UiPort::Icon::Stop);
        return false;
    }
    return true;
}

bool CProdottiView::deleteFileCode()
{
    QListWidgetItem *item = m_fileList->currentItem();
    if (!item || m_shown.id == 0)
        return false;
    if (!ui().ask(QStringLiteral("Cancellazione file"), QStringLiteral("Confermi ?")))
        return false;
    m_files->remove(m_shown.id, item->text());
    delete item;
    m_fileCode->Blank();
    return true;
}

bool CProdottiView::openFile()
{
    QListWidgetItem *item = m_fileList->currentItem();
    if (!item || m_shown.id == 0)
        return false;
    const QString file = m_files->firstFile(m_shown.id, item->text());
    if (file.isEmpty()) {
        ui().tell(QStringLiteral("Files"), QStringLiteral("File non trovato!"), UiPort::Icon::Exclamation);
        return false;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file))) {
        ui().tell(QStringLiteral("Files"), QStringLiteral("Impossibile aprire il file!"), UiPort::Icon::Stop);
        return false;
    }
    return true;
}

int CProdottiView::pageAt(int index) const
{
    QWidget *w = m_pages->widget(index);
    return w ? w->property("page").toInt() : -1;
}

int CProdottiView::indexOfPage(int page) const
{
    for (int i = 0; i < m_pages->count(); ++i)
        if (pageAt(i) == page)
            return i;
    return -1;
}

void CProdottiView::loadCustomGrid()
{
    m_custom->removeAllRows();
    const int productId = navigation().isInserting() ? navigation().reservedId() : m_shown.id;
    const auto stored = ProductRecords::splitCustomValues(m_shown.fields.customValues);
    for (const QString &name : m_product->customFieldNames(m_product->categories(productId))) {
        QString value;
        for (const auto &pair : stored)
            if (pair.first == name)
                value = pair.second;
        m_custom->addRow(name + QLatin1Char('\t') + value + QLatin1Char('\t'), 0);
    }
    m_customLoaded = true;
}

void CProdottiView::buildCategoryTree()
{
    m_categories->clear();
    CategoryTree tree(host().database(), host(), host().projectFolder());
    fillCategoryTree(nullptr, tree.loadChildren(0));
    m_categories->expandAll();
}

void CProdottiView::fillCategoryTree(QTreeWidgetItem *parent, const QList<TreeNode> &nodes)
{
    for (const TreeNode &node : nodes) {
        QTreeWidgetItem *item = m_categories->addItem(parent, node.name, node.id);
        fillCategoryTree(item, node.children);
    }
}

void CProdottiView::tickLinkedCategories()
{
    m_categories->uncheckAll();
    if (m_shown.id == 0)
        return;
    for (int id : m_product->categories(m_shown.id))
        if (QTreeWidgetItem *item = m_categories->findItem(id))
            m_categories->setChecked(item, true);
}

void CProdottiView::showCategories()
{
    m_popup->move(m_categoriesButton->mapToGlobal(QPoint(0, m_categoriesButton->height())));
    m_popup->show();
}

void CProdottiView::categoryToggled(int categoryId)
{
    QTreeWidgetItem *item = m_categories->findItem(categoryId);
    if (navigation().filterState() == NavigationEditor::EnteringCriteria) {
        m_categories->uncheckAll();
        m_filterCategory = m_filterCategory == categoryId ? 0 : categoryId;
        if (m_filterCategory && item)
            m_categories->setChecked(item, true);
        return;
    }
    const int productId = navigation().isInserting() ? navigation().reservedId() : m_shown.id;
    if (productId == 0) {
        if (item)
            m_categories->setChecked(item, false);
        return;
    }
    runGuarded(kTitle, [&] {
        const bool linked = m_product->toggleCategory(productId, categoryId);
        if (item)
            m_categories->setChecked(item, linked);
    });
}

ProductFields CProdottiView::formFields() const
{
    ProductFields f = m_shown.fields;
    f.code = m_code->text().trimmed().toUpper();
    f.barcode = m_barcode->text();
    f.active = m_active->checkState() == Qt::Checked;
    f.novelty = m_novelty->checkState() == Qt::Checked;
    f.mailing = m_mailing->checkState() == Qt::Checked;
    f.offer = m_offer->checkState() == Qt::Checked;
    f.promoPriceChosen = m_choosePromo->isChecked();
    f.vat = number(m_vat);
    f.weight = number(m_weight);
    f.pack = number(m_pack);
    f.availability = number(m_availability);
    f.discount = number(m_discount);
    f.validFrom = date(m_validFrom);
    f.validTo = date(m_validTo);
    f.name = m_name->text();
    f.invoiceDescription = m_invoice->text();
    f.shortDescription = m_short->text();
    f.longDescription = m_long->text();
    f.unit = m_unit->text();
    for (int i = 0; i < 4; ++i)
        f.prices[i] = number(m_prices[i]);
    f.promoPrice = number(m_promoPrice);
    if (m_sizesLoaded) {
        const int table = m_sizesOn->isChecked() ? m_sizeTable->currentData().toInt() : 0;
        f.sizeTable = table;
        f.sizeFrom = table ? m_sizeFrom->currentIndex() : -1;
        f.sizeTo = table ? m_sizeTo->currentIndex() : -1;
    }
    if (m_customLoaded) {
        m_custom->commitPendingEdit();
        QList<QPair<QString, QString>> values;
        for (int row = 1; row < m_custom->rowCount(); ++row)
            values.append({m_custom->cellText(row, 0), m_custom->cellText(row, 1)});
        f.customValues = ProductRecords::joinCustomValues(values);
    }
    return f;
}

void CProdottiView::showFields(const ProductFields &f)
{
    m_code->SetValue(f.code);
    m_barcode->SetValue(f.barcode);
    m_active->setChecked(f.active);
    m_novelty->setChecked(f.novelty);
    m_mailing->setChecked(f.mailing);
    m_offer->setChecked(f.offer);
    (f.promoPriceChosen ? m_choosePromo : m_chooseDiscount)->setChecked(true);
    showNumber(m_vat, f.vat);
    showNumber(m_weight, f.weight);
    showNumber(m_pack, f.pack);
    showNumber(m_availability, f.availability);
    showNumber(m_discount, f.discount);
    if (f.validFrom.isValid())
        m_validFrom->SetValue(f.validFrom);
    else
        m_validFrom->Blank();
    if (f.validTo.isValid())
        m_validTo->SetValue(f.validTo);
    else
        m_validTo->Blank();
    m_name->SetValue(f.name);
    m_invoice->SetValue(f.invoiceDescription);
    m_short->SetValue(f.shortDescription);
    m_long->SetValue(f.longDescription);
    m_unit->SetValue(f.unit);
    for (int i = 0; i < 4; ++i)
        showNumber(m_prices[i], f.prices[i]);
    showNumber(m_promoPrice, f.promoPrice);
    showSummary();
}

void CProdottiView::showSummary()
{
    m_summary->setPlainText(QStringLiteral("%1\r\n%2").arg(m_shown.fields.name, m_shown.fields.shortDescription));
}

bool CProdottiView::formDiffers()
{
    // The stored values pass through the edits' formats: compare what the
    // edits read back for the stored record with what they read now.
    if (m_imageChanged)
        return true;
    const ProductFields typed = formFields();
    ProductFields stored = m_shown.fields;
    stored.code = stored.code.trimmed().toUpper();
    return typed != stored;
}

void CProdottiView::focusField(ProductField field)
{
    CValidatedEdit *edit = nullptr;
    switch (field) {
    case ProductField::Code: edit = m_code; break;
    case ProductField::Name: edit = m_name; break;
    case ProductField::InvoiceDescription: edit = m_invoice; break;
    case ProductField::Vat: edit = m_vat; break;
    case ProductField::Price1: edit = m_prices[0]; break;
    case ProductField::PromoPrice: edit = m_promoPrice; break;
    case ProductField::Discount: edit = m_discount; break;
    }
    edit->setFocus();
}

bool CProdottiView::validateForm(const ProductFields &fields)
{
    const auto failure = ProductRecords::validate(fields, host().isDefaultLanguage());
    if (!failure)
        return true;
    const int index = indexOfPage(failure->page);
    if (index >= 0 && m_pages->currentIndex() != index) {
        m_changingPage = true;
        m_pages->setCurrentIndex(index);
        m_previousPage = index;
        m_changingPage = false;
    }
    ui().tell(QStringLiteral("Validazione campi"), failure->message, UiPort::Icon::Stop);
    focusField(failure->field);
    return false;
}

void CProdottiView::writeImageIfChanged(int productId)
{
    if (!m_imageChanged)
        return;
    QString error;
    if (!m_product->saveImageFiles(productId, m_working, &error))
        ui().tell(kTitle, QStringLiteral("Impossibile salvare l'immagine del prodotto:\n%1").arg(error),
                  UiPort::Icon::Stop);
    m_imageChanged = false;
}

bool CProdottiView::saveRecord()
{
    const ProductFields fields = formFields();
    // m_previousPage is the page shown, also while a tab change saves.
    if (pageAt(m_previousPage) == ProductRecords::Sizes && m_sizesLoaded) {
        // From the sizes page only the size choice is stored.
        m_product->saveSizeChoice(m_shown.id, fields.sizeTable, fields.sizeFrom, fields.sizeTo);
        m_shown.fields.sizeTable = fields.sizeTable;
        m_shown.fields.sizeFrom = fields.sizeFrom;
        m_shown.fields.sizeTo = fields.sizeTo;
        return true;
    }
    if (!validateForm(fields))
        return false;
    std::optional<int> version;
    if (m_imageChanged)
        version = m_product->nextImageVersion();
    m_product->saveModified(m_shown, fields, m_customLoaded, version);
    writeImageIfChanged(m_shown.id);
    m_shown = m_product->load(m_shown.id);
    showSummary();
    return true;
}

void CProdottiView::displayRecord()
{
    if (records().isEOF() || records().isBOF()) {
        blankForm();
        return;
    }
    m_shown = m_product->load(records().intValue(QStringLiteral("ID")));
    showFields(m_shown.fields);
    tickLinkedCategories();
    m_imageChanged = false;
    m_working.clear();
    if (m_shown.hasImageFile)
        m_working.load(m_product->imagePath(m_shown.id));
    m_base = m_working;
    m_picture->setImage(m_working.toQImage());
    m_pagePicture->setImage(m_working.toQImage());
    m_customLoaded = false;
    m_sizesLoaded = false;
    if (pageAt(m_pages->currentIndex()) == ProductRecords::Custom)
        loadCustomGrid();
    if (pageAt(m_pages->currentIndex()) == ProductRecords::Sizes)
        loadSizesPage();
    if (pageAt(m_pages->currentIndex()) == ProductRecords::Colours)
        loadColoursPage();
    if (pageAt(m_pages->currentIndex()) == ProductRecords::Files)
        loadFileList();
}

void CProdottiView::blankForm()
{
    m_shown = DisplayedProduct{};
    showFields(m_shown.fields);
    m_categories->uncheckAll();
    m_imageChanged = false;
    m_working.clear();
    m_base.clear();
    m_picture->setImage({});
    m_pagePicture->setImage({});
    m_custom->removeAllRows();
    m_customLoaded = false;
    m_sizesLoaded = false;
    m_fileList->clear();
    m_fileCode->Blank();
}

qint32 CProdottiView::reserveIdentifier()
{
    return m_product->reserveId();
}

bool CProdottiView::insertRecord(qint32 reservedId)
{
    const ProductFields fields = formFields();
    if (!validateForm(fields))
        return false;
    std::optional<int> version;
    if (m_imageChanged)
        version = m_product->nextImageVersion();
    m_product->saveNew(reservedId, m_baseId, fields, version);
    writeImageIfChanged(reservedId);
    // The row was added through another set: the frame's set takes it in.
    records().requery();
    return true;
}

void CProdottiView::discardInsert(qint32 reservedId)
{
    m_product->discardLinks(reservedId);
}

void CProdottiView::deleteRecord()
{
    // The database removes the product's rows and its variants with it.
    const int id = records().intValue(QStringLiteral("ID"));
    QList<int> gone{id};
    gone += m_product->variantsOf(id);
    records().deleteCurrent();
    m_product->removeImageFiles(gone);
}

void CProdottiView::enterCriteriaMode()
{
    NavigationEditorView::enterCriteriaMode();
    m_filterCategory = 0;
    m_categories->uncheckAll();
    m_categoriesButton->setEnabled(true);
}

QStringList CProdottiView::filterCriteria()
{
    ProductFilterInput in;
    in.active = m_active->checkState();
    in.novelty = m_novelty->checkState();
    in.mailing = m_mailing->checkState();
    in.offer = m_offer->checkState();
    in.category = m_filterCategory;
    in.code = m_code->text().trimmed().toUpper();
    in.barcode = m_barcode->text().trimmed();
    return m_product->filterCriteria(in);
}

bool CProdottiView::pageRefused(int index)
{
    const int page = pageAt(index);
    const NavigationEditor &nav = navigation();
    if (nav.filterState() == NavigationEditor::EnteringCriteria && page >= ProductRecords::Picture) {
        ui().tell(QStringLiteral("Impostazione filtri"),
                  QStringLiteral("ATTENZIONE: durante l'impostazione di un filtro non è possibile accedere\n"
                                 "ai moduli immagine, taglie, colori, custom, files."),
                  UiPort::Icon::Exclamation);
        return true;
    }
    if (nav.isInserting() && page >= ProductRecords::Colours) {
        ui().tell(kInsertTitle,
                  QStringLiteral("ATTENZIONE: durante l'inserimento non è possibile accedere\n"
                                 "ai moduli taglie, colori, custom, files."),
                  UiPort::Icon::Exclamation);
        return true;
    }
    if (!nav.isInserting() && nav.recordCount() == 0 && page != ProductRecords::General) {
        ui().tell(kInsertTitle,
                  QStringLiteral("ATTENZIONE: l'archivio è vuoto.\n\n"
                                 "Pertanto è necessario attivare prima la modalità inserimento."),
                  UiPort::Icon::Exclamation);
        return true;
    }
    return false;
}

void CProdottiView::pageChanged(int index)
{
    if (m_changingPage)
        return;
    const int previous = m_previousPage;
    auto back = [&] {
        m_changingPage = true;
        m_pages->setCurrentIndex(previous);
        m_changingPage = false;
    };
    if (pageRefused(index)) {
        back();
        return;
    }
    const bool editing = !navigation().isInserting()
        && navigation().filterState() != NavigationEditor::EnteringCriteria;
    if (pageAt(previous) == ProductRecords::Picture) {
        // Adjustments not applied are dropped on leaving the page.
        m_working = m_base;
        m_pagePicture->setImage(m_working.toQImage());
        m_picture->setImage(m_working.toQImage());
    }
    if (editing) {
        bool saved = true;
        runGuarded(kTitle, [&] { saved = navigation().commitPending(); });
        if (!saved) {
            // validateForm already brought the offending page forward.
            return;
        }
    }
    m_previousPage = m_pages->currentIndex();
    if (pageAt(index) == ProductRecords::Picture) {
        m_base = m_working;
        m_brightness->setValue(0);
        m_contrast->setValue(0);
    }
    if (editing && navigation().recordCount() > 0)
        runGuarded(kTitle, [this] { displayRecord(); });
    else if (pageAt(index) == ProductRecords::Custom)
        runGuarded(kTitle, [this] { loadCustomGrid(); });
    navigationStateChanged();
}

bool CProdottiView::chooseImage()
{
    const QString path = ui().chooseOpenFile(QStringLiteral("Immagine prodotto"),
                                             host().projectFolder(), kImageFilter);
    if (path.isEmpty())
        return false;
    Image loaded;
    if (!loaded.load(path)) {
        ui().tell(QStringLiteral("Immagine prodotto"), QStringLiteral("Impossibile leggere l'immagine!"),
                  UiPort::Icon::Stop);
        return false;
    }
    m_working = loaded;
    m_base = loaded;
    m_imageChanged = true;
    m_pagePicture->setImage(m_working.toQImage());
    m_picture->setImage(m_working.toQImage());
    emit recordCommandsChanged();
    return true;
}

void CProdottiView::previewAdjustments()
{
    m_working = m_base;
    m_working.adjustBrightness(m_brightness->value());
    m_working.adjustContrast(m_contrast->value());
    m_pagePicture->setImage(m_working.toQImage());
}

void CProdottiView::applyAdjustments()
{
    m_base = m_working;
    m_imageChanged = true;
    m_picture->setImage(m_working.toQImage());
}

void CProdottiView::flipImage(bool horizontal)
{
    // A flip is kept like an applied adjustment.
    for (Image *image : {&m_working, &m_base}) {
        if (horizontal)
            image->flipHorizontal();
        else
            image->flipVertical();
    }
    m_imageChanged = true;
    m_pagePicture->setImage(m_working.toQImage());
    m_picture->setImage(m_working.toQImage());
}

void CProdottiView::refreshLanguage()
{
    runGuarded(kTitle, [this] { buildCategoryTree(); });
    NavigationEditorView::refreshLanguage();
    if (!navigation().isInserting())
        tickLinkedCategories();
}

#include "CProdottiView.h"

#include "catalogue/CategoryTree.h"
#include "catalogue/ProductColours.h"
#include "catalogue/ProductFiles.h"
#include "ProductColoursPage.h"
#include "ProductFilesPage.h"
#include "ProductImageFrame.h"
#include "ProductPicturePage.h"
#include "ProductSizesPage.h"

#include "controls/CCheckTreeCtrl.h"
#include "controls/CEditableGrid.h"
#include "controls/CValidatedEdit.h"
#include "data/sets/CProdottiGeneraleSet.h"
#include "editors/common/DataGuard.h"
#include "editors/common/EditorHost.h"
#include "support/UiPort.h"
#include "support/ValidationTexts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("Archivio Prodotti");
const QString kInsertTitle = QStringLiteral("Inserimento prodotto");

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

} // namespace

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
    m_code = CValidatedEdit::create(this, QStringLiteral("codice"), 0, 32, 0, 0);
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
    const auto shownId = [this] { return m_shown.id; };
    m_picturePage = new ProductPicturePage(host().projectFolder());
    m_coloursPage = new ProductColoursPage(*m_colours, host().projectFolder(), shownId, kTitle);
    m_sizesPage = new ProductSizesPage(*m_product, host().database(), kTitle);
    m_filesPage = new ProductFilesPage(*m_files, shownId);
    m_pages->addTab(m_picturePage, QStringLiteral("Immagine"));
    m_pages->addTab(m_coloursPage, QStringLiteral("Colori"));
    m_pages->addTab(m_sizesPage, QStringLiteral("Taglie"));
    m_pages->addTab(buildCustomPage(), QStringLiteral("Custom"));
    m_pages->addTab(m_filesPage, QStringLiteral("Files"));
    const int pageIds[] = {ProductRecords::General, ProductRecords::Prices, ProductRecords::Picture,
                           ProductRecords::Colours, ProductRecords::Sizes, ProductRecords::Custom, ProductRecords::Files};
    for (int i = 0; i < m_pages->count(); ++i)
        m_pages->widget(i)->setProperty("page", pageIds[i]);
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) { pageChanged(index); });

    m_picture = new ProductImageFrame(QStringLiteral("Immagine prodotto"), this);
    connect(m_picturePage, &ProductPicturePage::pictureApplied, m_picture, &ProductImageFrame::setImage);
    connect(m_picturePage, &ProductPicturePage::imageChosen, this, &CProdottiView::recordCommandsChanged);

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
    m_name = CValidatedEdit::create(page, QStringLiteral("nome"), 0, 255, 1, 0);
    m_barcode = CValidatedEdit::create(page, QStringLiteral("codiceABarre"), 1, 13, 1, 0);
    m_invoice = CValidatedEdit::create(page, QStringLiteral("descrizioneFattura"), 0, -1, 0, 0);
    m_short = CValidatedEdit::create(page, QStringLiteral("descrizioneBreve"), 0, -1, 0, 0);
    m_long = CValidatedEdit::create(page, QStringLiteral("descrizioneEstesa"), 0, -1, 0, 0);
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
        m_prices[i] = CValidatedEdit::create(page, QStringLiteral("prezzo"), 4, 10, 1, 6);
        m_prices[i]->setObjectName(QStringLiteral("prezzo%1").arg(i + 1));
        grid->addWidget(new QLabel(QStringLiteral("Prezzo %1").arg(i + 1), page), i, 0);
        grid->addWidget(m_prices[i], i, 1);
    }
    m_promoPrice = CValidatedEdit::create(page, QStringLiteral("prezzoPromozionale"), 4, 10, 1, 6);
    grid->addWidget(new QLabel(QStringLiteral("Prezzo Promozionale"), page), 4, 0);
    grid->addWidget(m_promoPrice, 4, 1);
    m_unit = CValidatedEdit::create(page, QStringLiteral("unitaMisura"), 0, 10, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("U.M."), page), 5, 0);
    grid->addWidget(m_unit, 5, 1);

    m_vat = CValidatedEdit::create(page, QStringLiteral("iva"), 2, 5, 1, 2);
    m_availability = CValidatedEdit::create(page, QStringLiteral("disponibilita"), 2, 5, 1, 2);
    m_pack = CValidatedEdit::create(page, QStringLiteral("confezione"), 2, 7, 1, 2);
    m_weight = CValidatedEdit::create(page, QStringLiteral("peso"), 2, 7, 0, 3);
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
    m_discount = CValidatedEdit::create(offerBox, QStringLiteral("sconto"), 2, 5, 0, 2);
    m_validFrom = CValidatedEdit::create(offerBox, QStringLiteral("validitaDal"), 5, 8, 0, 0);
    m_validTo = CValidatedEdit::create(offerBox, QStringLiteral("validitaAl"), 5, 8, 0, 0);
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
    m_sizesPage->readChoice(f);
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
    if (m_picturePage->imageChanged())
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
    ui().tell(ValidationTexts::Title, failure->message, UiPort::Icon::Stop);
    focusField(failure->field);
    return false;
}

std::optional<int> CProdottiView::imageVersion()
{
    if (!m_picturePage->imageChanged())
        return std::nullopt;
    return m_product->nextImageVersion();
}

void CProdottiView::writeImageIfChanged(int productId)
{
    if (!m_picturePage->imageChanged())
        return;
    QString error;
    if (!m_product->saveImageFiles(productId, m_picturePage->workingImage(), &error))
        ui().tell(kTitle, QStringLiteral("Impossibile salvare l'immagine del prodotto:\n%1").arg(error),
                  UiPort::Icon::Stop);
    m_picturePage->markStored();
}

bool CProdottiView::saveRecord()
{
    const ProductFields fields = formFields();
    // m_previousPage is the page shown, also while a tab change saves.
    if (pageAt(m_previousPage) == ProductRecords::Sizes && m_sizesPage->isLoaded()) {
        // From the sizes page only the size choice is stored.
        m_product->saveSizeChoice(m_shown.id, fields.sizeTable, fields.sizeFrom, fields.sizeTo);
        m_shown.fields.sizeTable = fields.sizeTable;
        m_shown.fields.sizeFrom = fields.sizeFrom;
        m_shown.fields.sizeTo = fields.sizeTo;
        return true;
    }
    if (!validateForm(fields))
        return false;
    m_product->saveModified(m_shown, fields, m_customLoaded, imageVersion());
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
    Image stored;
    if (m_shown.hasImageFile)
        stored.load(m_product->imagePath(m_shown.id));
    m_picturePage->showStored(stored);
    m_customLoaded = false;
    m_sizesPage->unload();
    if (pageAt(m_pages->currentIndex()) == ProductRecords::Custom)
        loadCustomGrid();
    if (pageAt(m_pages->currentIndex()) == ProductRecords::Sizes)
        m_sizesPage->load(m_shown.fields);
    if (pageAt(m_pages->currentIndex()) == ProductRecords::Colours)
        m_coloursPage->load();
    if (pageAt(m_pages->currentIndex()) == ProductRecords::Files)
        m_filesPage->load();
}

void CProdottiView::blankForm()
{
    m_shown = DisplayedProduct{};
    showFields(m_shown.fields);
    m_categories->uncheckAll();
    m_picturePage->showStored(Image());
    m_custom->removeAllRows();
    m_customLoaded = false;
    m_sizesPage->unload();
    m_filesPage->clear();
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
    m_product->saveNew(reservedId, m_baseId, fields, imageVersion());
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
    // The product goes with its variants, its log rows and its files.
    m_product->deleteProduct(records().intValue(QStringLiteral("ID")), &records());
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
    if (pageAt(previous) == ProductRecords::Picture)
        m_picturePage->left();
    if (editing) {
        bool saved = true;
        runGuarded(kTitle, [&] { saved = navigation().commitPending(); });
        if (!saved) {
            // validateForm already brought the offending page forward.
            return;
        }
    }
    m_previousPage = m_pages->currentIndex();
    if (pageAt(index) == ProductRecords::Picture)
        m_picturePage->entered();
    if (editing && navigation().recordCount() > 0)
        runGuarded(kTitle, [this] { displayRecord(); });
    else if (pageAt(index) == ProductRecords::Custom)
        runGuarded(kTitle, [this] { loadCustomGrid(); });
    navigationStateChanged();
}

void CProdottiView::refreshLanguage()
{
    runGuarded(kTitle, [this] { buildCategoryTree(); });
    NavigationEditorView::refreshLanguage();
    if (!navigation().isInserting())
        tickLinkedCategories();
}

#include "CTabellaProdottiView.h"

#include "catalogue/CategoryTree.h"

#include "controls/CEditableGrid.h"
#include "editors/common/DataGuard.h"
#include "editors/common/EditorHost.h"
#include "support/UiPort.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

const QString kTitle = QStringLiteral("Tabella prodotti");
constexpr int kFirstPriceColumn = 2;
constexpr int kPriceDecimals = 2;

} // namespace

CTabellaProdottiView::CTabellaProdottiView(EditorHost &host, QWidget *parent)
    : QWidget(parent), m_host(host),
      m_table(std::make_unique<ProductTable>(host.database(), host))
{
    setObjectName(QStringLiteral("CTabellaProdottiView"));
    m_tree = new QTreeWidget(this);
    m_tree->setHeaderHidden(true);
    m_tree->setMinimumWidth(200);
    m_description = new QComboBox(this);
    m_description->addItems({QStringLiteral("Nome"), QStringLiteral("Descrizione fattura"),
                             QStringLiteral("Descrizione breve"), QStringLiteral("Descrizione estesa")});
    m_grid = new CEditableGrid(this);
    m_grid->setHeader(QStringLiteral("Codice\tDescrizione\tPrezzo 1\tPrezzo 2\tPrezzo 3\tPrezzo 4\t"));
    m_grid->setupColumn(0, 90, CEditableGrid::ReadOnly);
    m_grid->setupColumn(1, 240, CEditableGrid::ReadOnly);
    for (int c = kFirstPriceColumn; c < kFirstPriceColumn + 4; ++c) {
        m_grid->setupColumn(c, 80, CEditableGrid::Editable);
        m_grid->setColumnFormat(c, {CEditableGrid::InputFormat::Decimal, 10, kPriceDecimals});
    }
    m_scroll = new QScrollBar(Qt::Vertical, this);
    m_scroll->setPageStep(ProductTable::kWindowRows);

    auto *chooser = new QHBoxLayout;
    chooser->addWidget(new QLabel(QStringLiteral("Descrizione"), this));
    chooser->addWidget(m_description, 1);
    auto *gridRow = new QHBoxLayout;
    gridRow->addWidget(m_grid, 1);
    gridRow->addWidget(m_scroll);
    m_saveRow = new QPushButton(QStringLiteral("Salva"), this);
    m_undoRow = new QPushButton(QStringLiteral("Annulla modifiche"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_saveRow);
    buttons->addWidget(m_undoRow);
    setRecordButtons(false);
    auto *right = new QVBoxLayout;
    right->addLayout(chooser);
    right->addLayout(gridRow, 1);
    right->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_tree);
    layout->addLayout(right, 1);

    m_grid->setRowLeaveHandler([this](int oldRow, int, int, int *) {
        if (!runGuarded(kTitle, [&] { commitRow(oldRow); }))
            return -1;
        setRecordButtons(false);
        return 0;
    });
    connect(m_grid, &CEditableGrid::cellEdited, this, [this](int row, int) {
        bool differs = false;
        runGuarded(kTitle, [&] { differs = rowDiffers(row); });
        setRecordButtons(differs);
    });
    connect(m_saveRow, &QPushButton::clicked, this, [this] { saveCurrentRow(); });
    connect(m_undoRow, &QPushButton::clicked, this, [this] { undoCurrentRow(); });
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item)
            chooseCategory(item->data(0, Qt::UserRole).toInt());
    });
    connect(m_description, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!leaveCurrentRow())
            return;
        runGuarded(kTitle, [&] {
            m_table->setDescription(ProductTable::Description(index));
            fillGrid();
        });
    });
    connect(m_scroll, &QScrollBar::actionTriggered, this, [this](int action) {
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub: scroll(Step::LineUp); break;
        case QAbstractSlider::SliderSingleStepAdd: scroll(Step::LineDown); break;
        case QAbstractSlider::SliderPageStepSub: scroll(Step::PageUp); break;
        case QAbstractSlider::SliderPageStepAdd: scroll(Step::PageDown); break;
        default: return;
        }
        // The table set the position itself.
        m_scroll->setSliderPosition(m_table->firstPosition());
    });
    connect(m_scroll, &QScrollBar::sliderReleased, this, [this] { scrollTo(m_scroll->value() + 1); });

    runGuarded(kTitle, [this] { buildTree(); });
    m_tree->setCurrentItem(m_tree->topLevelItem(0));
}

CTabellaProdottiView::~CTabellaProdottiView() = default;

QWidget *CTabellaProdottiView::create(EditorHost &host, QWidget *parent)
{
    return new CTabellaProdottiView(host, parent);
}

void CTabellaProdottiView::buildTree()
{
    m_tree->clear();
    auto *root = new QTreeWidgetItem(m_tree, {QStringLiteral("Tutte le categorie")});
    root->setData(0, Qt::UserRole, 0);
    CategoryTree categories(m_host.database(), m_host, m_host.projectFolder());
    addNodes(root, categories.loadChildren(0));
    m_tree->expandAll();
}

void CTabellaProdottiView::addNodes(QTreeWidgetItem *parent, const QList<TreeNode> &nodes)
{
    for (const TreeNode &node : nodes) {
        auto *item = new QTreeWidgetItem(parent, {node.name});
        item->setData(0, Qt::UserRole, node.id);
        addNodes(item, node.children);
    }
}

void CTabellaProdottiView::chooseCategory(int categoryId)
{
    if (!leaveCurrentRow())
        return;
    runGuarded(kTitle, [&] {
        m_table->setCategory(categoryId);
        m_scroll->setRange(0, std::max(0, m_table->recordCount() - ProductTable::kWindowRows));
        fillGrid();
        setScrollPosition(0);
    });
}

void CTabellaProdottiView::fillGrid()
{
    m_grid->removeAllRows();
    for (const ProductTable::Row &row : m_table->rows()) {
        QString texts = row.code + QLatin1Char('\t') + row.description + QLatin1Char('\t');
        for (const auto &price : row.prices)
            texts += priceText(price) + QLatin1Char('\t');
        m_grid->addRow(texts, row.id);
    }
}

QString CTabellaProdottiView::priceText(const std::optional<double> &price)
{
    return price ? QString::number(*price, 'f', kPriceDecimals) : QString();
}

QString CTabellaProdottiView::noLanguageRowText(const QString &code)
{
    return QStringLiteral("Il prodotto %1 non ha una riga nella lingua corrente né nella lingua "
                          "predefinita: i prezzi digitati non sono stati salvati.")
        .arg(code);
}

void CTabellaProdottiView::priceEdits(int row, ProductTable::PriceEdit (&out)[4]) const
{
    // A price counts as edited when its cell no longer shows the stored
    // value as the grid shows it: a price stored with more decimals than
    // shown is not rounded by editing another price of the row.
    const ProductTable::Row stored = m_table->readRow(m_grid->rowData(row));
    for (int i = 0; i < 4; ++i) {
        const QString text = m_grid->cellText(row, kFirstPriceColumn + i).trimmed();
        if (text.isEmpty())
            out[i].value.reset();
        else
            out[i].value = m_grid->cellDouble(row, kFirstPriceColumn + i);
        out[i].edited = priceText(out[i].value) != priceText(stored.prices[i]);
    }
}

bool CTabellaProdottiView::rowDiffers(int row)
{
    if (row < 1 || row >= m_grid->rowCount())
        return false;
    ProductTable::PriceEdit edits[4];
    priceEdits(row, edits);
    return std::any_of(std::begin(edits), std::end(edits), [](const auto &e) { return e.edited; });
}

bool CTabellaProdottiView::commitRow(int row)
{
    if (row < 1 || row >= m_grid->rowCount())
        return false;
    ProductTable::PriceEdit edits[4];
    priceEdits(row, edits);
    switch (m_table->writePrices(m_grid->rowData(row), edits)) {
    case ProductTable::WriteResult::Written:
        return true;
    case ProductTable::WriteResult::Unchanged:
        return false;
    case ProductTable::WriteResult::NoLanguageRow:
        break;
    }
    ui().tell(kTitle, noLanguageRowText(m_grid->cellText(row, 0)), UiPort::Icon::Exclamation);
    showStoredPrices(row);
    return false;
}

void CTabellaProdottiView::setRecordButtons(bool enabled)
{
    m_saveRow->setEnabled(enabled);
    m_undoRow->setEnabled(enabled);
}

void CTabellaProdottiView::saveCurrentRow()
{
    if (!m_grid->commitPendingEdit())
        return;
    const int row = m_grid->currentRow();
    if (row >= 1 && runGuarded(kTitle, [&] { commitRow(row); }))
        setRecordButtons(false);
}

void CTabellaProdottiView::showStoredPrices(int row)
{
    const ProductTable::Row stored = m_table->readRow(m_grid->rowData(row));
    for (int i = 0; i < 4; ++i)
        m_grid->setCellText(row, kFirstPriceColumn + i, priceText(stored.prices[i]));
}

void CTabellaProdottiView::undoCurrentRow()
{
    const int row = m_grid->currentRow();
    if (row < 1)
        return;
    if (runGuarded(kTitle, [&] { showStoredPrices(row); }))
        setRecordButtons(false);
}

bool CTabellaProdottiView::leaveCurrentRow()
{
    setRecordButtons(false);
    if (!m_grid->commitPendingEdit())
        return false;
    bool ok = true;
    const int row = m_grid->currentRow();
    if (row >= 1)
        ok = runGuarded(kTitle, [&] { commitRow(row); });
    m_grid->setCurrentCell(-1, -1);
    return ok;
}

void CTabellaProdottiView::setScrollPosition(int position)
{
    const QSignalBlocker block(m_scroll);
    m_scroll->setValue(position);
}

void CTabellaProdottiView::scroll(Step step)
{
    if (!leaveCurrentRow())
        return;
    runGuarded(kTitle, [&] {
        switch (step) {
        case Step::LineUp: m_table->lineUp(); break;
        case Step::LineDown: m_table->lineDown(); break;
        case Step::PageUp: m_table->pageUp(); break;
        case Step::PageDown: m_table->pageDown(); break;
        }
        fillGrid();
        setScrollPosition(m_table->firstPosition());
    });
}

void CTabellaProdottiView::scrollTo(int thumbPosition)
{
    if (!leaveCurrentRow())
        return;
    runGuarded(kTitle, [&] {
        m_table->thumb(thumbPosition);
        fillGrid();
        setScrollPosition(m_table->firstPosition());
    });
}

bool CTabellaProdottiView::hasUnsavedChanges()
{
    m_grid->commitPendingEdit();
    bool differs = false;
    runGuarded(kTitle, [&] { differs = rowDiffers(m_grid->currentRow()); });
    return differs;
}

bool CTabellaProdottiView::saveChanges()
{
    return leaveCurrentRow();
}

void CTabellaProdottiView::refreshLanguage()
{
    leaveCurrentRow();
    const int category = m_table->category();
    runGuarded(kTitle, [this] { buildTree(); });
    chooseCategory(category);
}

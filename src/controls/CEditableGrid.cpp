#include "CEditableGrid.h"

#include "EditRules.h"
#include "FieldChecks.h"
#include "GridCellDelegate.h"
#include "GridTable.h"

#include "support/UiPort.h"

#include <QHeaderView>
#include <QStyle>
#include <QVBoxLayout>

#include <cmath>

namespace {

bool isTickText(const QString &text)
{
    const QString t = text.trimmed();
    return t == QLatin1String("1") || t == QLatin1String("-1")
        || t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

// Holds back change notifications while the grid itself writes cells.
class LoadingGuard {
public:
    explicit LoadingGuard(int &counter)
        : m_counter(counter)
    {
        ++m_counter;
    }
    ~LoadingGuard() { --m_counter; }

private:
    int &m_counter;
};

} // namespace

CEditableGrid::CEditableGrid(QWidget *parent)
    : QWidget(parent)
    , m_table(new GridTable(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);

    m_delegate = new GridCellDelegate(this, m_table);
    m_table->setItemDelegate(m_delegate);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_table->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::DoubleClicked
                             | QAbstractItemView::SelectedClicked
                             | QAbstractItemView::AnyKeyPressed
                             | QAbstractItemView::EditKeyPressed);
    m_table->setTabKeyNavigation(true);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setHighlightSections(false);
    // A wider window gives its room to the last column.
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setSectionsClickable(false);
    m_table->setMoveGuard([this](int row, int column) { return guardMove(row, column); });

    connect(m_table, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int, int) {
                m_table->viewport()->update(); // the row marker follows
                emit cellSelected(row < 0 ? -1 : row + 1, row < 0 ? -1 : column);
            });
    connect(m_table, &QTableWidget::itemChanged, this, &CEditableGrid::onItemChanged);
}

CEditableGrid::~CEditableGrid() = default;

QTableWidget *CEditableGrid::table() const
{
    return m_table;
}

QSize CEditableGrid::sizeHint() const
{
    constexpr int kRowsShown = 12;
    const int frame = 2 * m_table->frameWidth();
    const int scrollBar = m_table->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_table);
    int width = frame + scrollBar;
    for (int c = 0; c < m_table->columnCount(); ++c)
        width += m_table->columnWidth(c);
    const int height = frame + m_table->horizontalHeader()->sizeHint().height()
        + kRowsShown * m_table->verticalHeader()->defaultSectionSize() + scrollBar;
    return QSize(width, height).expandedTo(QSize(200, 120));
}

// --- columns

void CEditableGrid::ensureColumns(int count)
{
    const int old = m_table->columnCount();
    if (count <= old)
        return;
    m_kinds.resize(count, Editable);
    m_colours.resize(count);
    m_formats.resize(count);
    m_items.resize(count);
    m_table->setColumnCount(count);
    LoadingGuard guard(m_loading);
    for (int r = 0; r < m_table->rowCount(); ++r)
        for (int c = old; c < count; ++c)
            m_table->setItem(r, c, makeItem(c));
}

void CEditableGrid::setHeader(const QString &tabbedCaptions)
{
    QStringList captions = tabbedCaptions.split(u'\t');
    if (captions.size() > 1 && captions.last().isEmpty())
        captions.removeLast();
    ensureColumns(int(captions.size()));
    m_table->setHorizontalHeaderLabels(captions);
}

void CEditableGrid::setupColumn(int column, int width, int kind)
{
    if (column < 0)
        return;
    ensureColumns(column + 1);
    m_kinds[column] = kind;
    m_table->setColumnWidth(column, width);
    LoadingGuard guard(m_loading);
    for (int r = 0; r < m_table->rowCount(); ++r) {
        QTableWidgetItem *it = m_table->item(r, column);
        if (it && !it->data(GridCellDelegate::KindRole).isValid())
            applyKind(it, kind);
    }
}

void CEditableGrid::setColumnColour(int column, const QColor &colour)
{
    if (column < 0)
        return;
    ensureColumns(column + 1);
    m_colours[column] = colour;
    LoadingGuard guard(m_loading);
    for (int r = 0; r < m_table->rowCount(); ++r)
        if (QTableWidgetItem *it = m_table->item(r, column))
            it->setBackground(colour);
}

void CEditableGrid::setColumnFormat(int column, const ColumnFormat &format)
{
    if (column < 0)
        return;
    ensureColumns(column + 1);
    m_formats[column] = format;
}

CEditableGrid::ColumnFormat CEditableGrid::columnFormat(int column) const
{
    return column >= 0 && column < m_formats.size() ? m_formats[column] : ColumnFormat{};
}

void CEditableGrid::addDropDownItem(int column, const QString &text, int value)
{
    if (column < 0)
        return;
    ensureColumns(column + 1);
    m_items[column].append({text, value});
}

void CEditableGrid::clearDropDownItems(int column)
{
    if (column >= 0 && column < m_items.size())
        m_items[column].clear();
}

QList<CEditableGrid::DropDownItem> CEditableGrid::dropDownItems(int column) const
{
    return column >= 0 && column < m_items.size() ? m_items[column] : QList<DropDownItem>{};
}

int CEditableGrid::columnCount() const
{
    return m_table->columnCount();
}

int CEditableGrid::columnKind(int column) const
{
    return column >= 0 && column < m_kinds.size() ? m_kinds[column] : ReadOnly;
}

// --- rows

QTableWidgetItem *CEditableGrid::makeItem(int column) const
{
    auto *it = new QTableWidgetItem;
    applyKind(it, columnKind(column));
    if (column < m_colours.size() && m_colours[column].isValid())
        it->setBackground(m_colours[column]);
    return it;
}

void CEditableGrid::applyKind(QTableWidgetItem *it, int kind) const
{
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (kind == Editable || kind == DropDown)
        flags |= Qt::ItemIsEditable;
    if (kind == CheckBox) {
        flags |= Qt::ItemIsUserCheckable;
        if (!it->data(Qt::CheckStateRole).isValid()) {
            it->setCheckState(Qt::Unchecked);
            it->setData(GridCellDelegate::KnownCheckRole, int(Qt::Unchecked));
        }
    } else if (it->data(Qt::CheckStateRole).isValid()) {
        it->setData(Qt::CheckStateRole, QVariant());
    }
    it->setFlags(flags);
}

void CEditableGrid::applyText(QTableWidgetItem *it, int column, const QString &text)
{
    const int kind = cellKind(it->row() + 1, column);
    if (kind == CheckBox) {
        const Qt::CheckState state = isTickText(text) ? Qt::Checked : Qt::Unchecked;
        it->setCheckState(state);
        it->setData(GridCellDelegate::KnownCheckRole, int(state));
        return;
    }
    it->setText(text);
    if (kind == DropDown) {
        QVariant value;
        for (const auto &entry : dropDownItems(column)) {
            if (entry.first == text) {
                value = entry.second;
                break;
            }
        }
        it->setData(GridCellDelegate::ValueRole, value);
    }
}

int CEditableGrid::addRow(const QString &tabbedTexts, int rowData)
{
    LoadingGuard guard(m_loading);
    QStringList texts = tabbedTexts.split(u'\t');
    const int r = m_table->rowCount();
    m_table->insertRow(r);
    for (int c = 0; c < m_table->columnCount(); ++c) {
        QTableWidgetItem *it = makeItem(c);
        m_table->setItem(r, c, it);
        applyText(it, c, c < texts.size() ? texts[c] : QString());
    }
    if (m_table->columnCount() > 0)
        m_table->item(r, 0)->setData(GridCellDelegate::RowDataRole, rowData);
    return r + 1;
}

void CEditableGrid::deleteRow(int row)
{
    if (row < 1 || row >= rowCount())
        return;
    if (row == currentRow())
        m_table->discardOpenEditor();
    m_table->removeRow(row - 1);
}

void CEditableGrid::removeAllRows()
{
    m_table->discardOpenEditor();
    m_table->setRowCount(0);
}

int CEditableGrid::rowCount() const
{
    return m_table->rowCount() + 1;
}

void CEditableGrid::setRowData(int row, int data)
{
    if (QTableWidgetItem *it = item(row, 0)) {
        LoadingGuard guard(m_loading);
        it->setData(GridCellDelegate::RowDataRole, data);
    }
}

int CEditableGrid::rowData(int row) const
{
    const QTableWidgetItem *it = item(row, 0);
    return it ? it->data(GridCellDelegate::RowDataRole).toInt() : 0;
}

// --- cells

QTableWidgetItem *CEditableGrid::item(int row, int column) const
{
    if (row < 1 || column < 0)
        return nullptr;
    return m_table->item(row - 1, column);
}

void CEditableGrid::setCellKind(int row, int column, int kind)
{
    QTableWidgetItem *it = item(row, column);
    if (!it)
        return;
    LoadingGuard guard(m_loading);
    if (row == currentRow() && column == currentColumn())
        m_table->commitOpenEditor();
    it->setData(GridCellDelegate::KindRole, kind);
    applyKind(it, kind);
}

int CEditableGrid::cellKind(int row, int column) const
{
    if (row == 0)
        return ReadOnly;
    if (const QTableWidgetItem *it = item(row, column)) {
        const QVariant own = it->data(GridCellDelegate::KindRole);
        if (own.isValid())
            return own.toInt();
    }
    return columnKind(column);
}

void CEditableGrid::setCellText(int row, int column, const QString &text)
{
    if (QTableWidgetItem *it = item(row, column)) {
        LoadingGuard guard(m_loading);
        applyText(it, column, text);
    }
}

QString CEditableGrid::cellText(int row, int column) const
{
    if (row == 0) {
        const QTableWidgetItem *h = m_table->horizontalHeaderItem(column);
        return h ? h->text() : QString();
    }
    const QTableWidgetItem *it = item(row, column);
    return it ? it->text() : QString();
}

void CEditableGrid::setCellDouble(int row, int column, double value, int decimals)
{
    if (decimals < 0 && columnFormat(column).format == InputFormat::Decimal)
        decimals = columnFormat(column).decimals;
    setCellText(row, column, EditRules::numberText(value, decimals));
}

double CEditableGrid::cellDouble(int row, int column) const
{
    double v = 0;
    EditRules::parseNumber(cellText(row, column), &v);
    return v;
}

float CEditableGrid::cellFloat(int row, int column) const
{
    return float(cellDouble(row, column));
}

void CEditableGrid::setCellInt(int row, int column, int value)
{
    setCellText(row, column, QString::number(value));
}

int CEditableGrid::cellInt(int row, int column) const
{
    const QString text = cellText(row, column);
    qint64 i = 0;
    if (EditRules::parseInteger(text, &i))
        return int(i);
    double d = 0;
    if (EditRules::parseNumber(text, &d))
        return int(std::lround(d));
    return 0;
}

void CEditableGrid::setCellTextColour(int row, int column, const QColor &colour)
{
    if (QTableWidgetItem *it = item(row, column)) {
        LoadingGuard guard(m_loading);
        it->setForeground(colour);
    }
}

void CEditableGrid::setRowTextColour(int row, const QColor &colour)
{
    for (int c = 0; c < columnCount(); ++c)
        setCellTextColour(row, c, colour);
}

QColor CEditableGrid::cellTextColour(int row, int column) const
{
    const QTableWidgetItem *it = item(row, column);
    if (!it || it->foreground().style() == Qt::NoBrush)
        return m_table->palette().color(QPalette::Text);
    return it->foreground().color();
}

bool CEditableGrid::acceptEdit(int row, int column, const QString &text)
{
    return !m_cellEdit || m_cellEdit(row, column, text);
}

void CEditableGrid::editStored(int row, int column)
{
    emit cellEdited(row, column);
}

void CEditableGrid::setCellCheck(int row, int column, bool checked)
{
    QTableWidgetItem *it = item(row, column);
    if (!it || cellKind(row, column) != CheckBox)
        return;
    LoadingGuard guard(m_loading);
    it->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    it->setData(GridCellDelegate::KnownCheckRole, int(it->checkState()));
}

bool CEditableGrid::cellCheck(int row, int column) const
{
    const QTableWidgetItem *it = item(row, column);
    return it && it->data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

bool CEditableGrid::setCellItemValue(int row, int column, int value)
{
    QTableWidgetItem *it = item(row, column);
    if (!it)
        return false;
    for (const auto &entry : dropDownItems(column)) {
        if (entry.second == value) {
            LoadingGuard guard(m_loading);
            it->setText(entry.first);
            it->setData(GridCellDelegate::ValueRole, value);
            return true;
        }
    }
    return false;
}

int CEditableGrid::cellItemValue(int row, int column) const
{
    const QTableWidgetItem *it = item(row, column);
    if (!it)
        return -1;
    const QVariant value = it->data(GridCellDelegate::ValueRole);
    if (value.isValid())
        return value.toInt();
    for (const auto &entry : dropDownItems(column))
        if (entry.first == it->text())
            return entry.second;
    return -1;
}

// --- current cell and moves

int CEditableGrid::currentRow() const
{
    const QModelIndex idx = m_table->currentIndex();
    return idx.isValid() ? idx.row() + 1 : -1;
}

int CEditableGrid::currentColumn() const
{
    const QModelIndex idx = m_table->currentIndex();
    return idx.isValid() ? idx.column() : -1;
}

void CEditableGrid::resumeAt(int row, int column)
{
    if (row < 1 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    const QModelIndex idx = m_table->model()->index(row - 1, column);
    if (m_table->currentIndex() != idx)
        m_table->setCurrentIndex(idx); // starts editing through the current-changed trigger
    if (!m_table->openEditor() && (idx.flags() & Qt::ItemIsEditable))
        m_table->edit(idx);
}

void CEditableGrid::setCurrentCell(int row, int column)
{
    m_table->commitOpenEditor();
    if (row < 1 || row >= rowCount() || column < 0 || column >= columnCount()) {
        m_table->setCurrentIndex(QModelIndex());
        m_table->clearSelection();
        return;
    }
    resumeAt(row, column);
}

bool CEditableGrid::checkCell(int row, int column)
{
    if (cellKind(row, column) != Editable)
        return true;
    const QString text = cellText(row, column);
    QString message;
    switch (columnFormat(column).format) {
    case InputFormat::Date:
        if (!FieldChecks::isValidDateText(text))
            message = FieldChecks::invalidDateMessage();
        break;
    case InputFormat::Time:
        if (!FieldChecks::isValidTimeText(text))
            message = FieldChecks::invalidTimeMessage();
        break;
    case InputFormat::TaxCode:
        if (!FieldChecks::isValidTaxCode(text))
            message = FieldChecks::invalidTaxCodeMessage();
        break;
    default:
        break;
    }
    if (message.isEmpty())
        return true;
    ui().tell(FieldChecks::messageTitle(), message, UiPort::Icon::Stop);
    return false;
}

bool CEditableGrid::guardMove(int tableRow, int tableColumn)
{
    const int oldRow = currentRow();
    const int oldColumn = currentColumn();
    m_table->commitOpenEditor();
    if (oldRow < 1)
        return true;
    if (!checkCell(oldRow, oldColumn)) {
        resumeAt(oldRow, oldColumn);
        return false;
    }
    const int newRow = tableRow + 1;
    if (newRow != oldRow && m_rowLeave) {
        int resume = oldColumn;
        if (m_rowLeave(oldRow, newRow, tableColumn, &resume) == -1) {
            resumeAt(oldRow, resume >= 0 && resume < columnCount() ? resume : oldColumn);
            return false;
        }
    }
    return true;
}

bool CEditableGrid::requestMove(int row, int column)
{
    if (row < 1 || row >= rowCount() || column < 0 || column >= columnCount())
        return false;
    if (row == currentRow() && column == currentColumn())
        return true;
    if (!guardMove(row - 1, column))
        return false;
    resumeAt(row, column);
    return true;
}

bool CEditableGrid::commitPendingEdit()
{
    m_table->commitOpenEditor();
    const int row = currentRow();
    if (row < 1)
        return true;
    if (checkCell(row, currentColumn()))
        return true;
    resumeAt(row, currentColumn());
    return false;
}

void CEditableGrid::onItemChanged(QTableWidgetItem *it)
{
    if (m_loading || !it)
        return;
    const int row = it->row() + 1;
    const int column = it->column();
    if (cellKind(row, column) != CheckBox)
        return;
    const int state = it->data(Qt::CheckStateRole).toInt();
    if (state == it->data(GridCellDelegate::KnownCheckRole).toInt())
        return;
    {
        LoadingGuard guard(m_loading);
        it->setData(GridCellDelegate::KnownCheckRole, state);
    }
    emit checkToggled(row, column);
}

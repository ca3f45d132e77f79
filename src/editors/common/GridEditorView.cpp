#include "GridEditorView.h"

#include "DataGuard.h"
#include "EditorHost.h"
#include "support/UiPort.h"

#include <QHBoxLayout>

#include <algorithm>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

GridEditorView::GridEditorView(EditorHost &host, std::unique_ptr<GridRecords> records,
                               QString header, QList<Column> columns, QWidget *parent)
    : QWidget(parent), m_host(host), m_records(std::move(records)), m_columns(std::move(columns))
{
    m_grid = new CEditableGrid(this);
    m_grid->setHeader(header);
    m_grid->setupColumn(0, 16, CEditableGrid::RowMarker);
    for (int c = 0; c < m_columns.size(); ++c) {
        const Column &col = m_columns[c];
        m_grid->setupColumn(c + 1, col.width, col.kind);
        if (col.colour.isValid())
            m_grid->setColumnColour(c + 1, col.colour);
        if (col.kind == CEditableGrid::Editable)
            m_grid->setColumnFormat(c + 1, col.format);
    }
    m_grid->setRowLeaveHandler([this](int oldRow, int newRow, int column, int *resume) {
        return onRowLeave(oldRow, newRow, column, resume);
    });

    m_delete = new QPushButton(QStringLiteral("Cancella"), this);
    connect(m_delete, &QPushButton::clicked, this, &GridEditorView::deleteSelected);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_delete);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
}

void GridEditorView::initialise()
{
    runGuarded(m_records->title(), [this] {
        fillDropDowns();
        reload();
    });
}

void GridEditorView::reload()
{
    m_grid->removeAllRows();
    m_loaded.clear();
    for (const GridRow &r : m_records->load())
        writeRow(m_grid->addRow(QString(), r.id), r);
    ensureBlankLastRow();
}

GridRow GridEditorView::readRow(int row) const
{
    GridRow out = readCells(row);
    const auto loaded = m_loaded.constFind(out.id);
    if (out.id <= 0 || loaded == m_loaded.constEnd())
        return out;
    for (int c = 1; c < out.cells.size(); ++c) {
        if (out.cells.at(c) == loaded->shown.cell(c))
            out.cells[c] = loaded->values.cell(c);
    }
    return out;
}

GridRow GridEditorView::readCells(int row) const
{
    GridRow out;
    out.id = m_grid->rowData(row);
    if (out.id < 0)
        out.id = 0;
    out.cells.append(QVariant());
    for (int c = 0; c < m_columns.size(); ++c) {
        const int col = c + 1;
        switch (m_columns[c].value) {
        case Column::Value::Bool:
            out.cells.append(m_grid->cellCheck(row, col));
            break;
        case Column::Value::Text:
            out.cells.append(m_grid->cellText(row, col));
            break;
        case Column::Value::Double:
            out.cells.append(m_grid->cellText(row, col).trimmed().isEmpty()
                                 ? QVariant() : QVariant(m_grid->cellDouble(row, col)));
            break;
        case Column::Value::Item:
            out.cells.append(m_grid->cellItemValue(row, col));
            break;
        }
    }
    return out;
}

void GridEditorView::writeRow(int row, const GridRow &values)
{
    m_grid->setRowData(row, values.id);
    for (int c = 0; c < m_columns.size(); ++c) {
        const int col = c + 1;
        const QVariant v = values.cell(col);
        switch (m_columns[c].value) {
        case Column::Value::Bool:
            m_grid->setCellCheck(row, col, v.toBool());
            break;
        case Column::Value::Text:
            m_grid->setCellText(row, col, v.toString());
            break;
        case Column::Value::Double:
            if (v.isNull())
                m_grid->setCellText(row, col, QString());
            else
                m_grid->setCellDouble(row, col, v.toDouble());
            break;
        case Column::Value::Item:
            if (v.isNull() || !m_grid->setCellItemValue(row, col, v.toInt()))
                m_grid->setCellText(row, col, QString());
            break;
        }
    }
    if (values.id > 0)
        m_loaded.insert(values.id, {values, readCells(row)});
}

void GridEditorView::ensureBlankLastRow()
{
    const int last = m_grid->rowCount() - 1;
    if (last >= 1 && isNewRow(last) && m_records->isBlank(readRow(last)))
        return;
    writeRow(m_grid->addRow(QString(), 0), m_records->blankRow());
}

bool GridEditorView::storeRow(int row)
{
    GridRow values = readRow(row);
    if (values.id <= 0 && m_records->isBlank(values))
        return true;
    // Only new and changed rows are validated.
    bool changed = true;
    if (values.id > 0 && runGuarded(m_records->title(), [&] { changed = m_records->differs(values); })
        && !changed)
        return true;
    int refused = -1;
    if (!runGuarded(m_records->title(), [&] { refused = m_records->store(values); })) {
        // Not stored: the user stays on the row.
        m_resume = {row, std::max(1, m_grid->currentRow() == row ? m_grid->currentColumn() : 1)};
        return false;
    }
    if (refused >= 0) {
        m_resume = {row, refused};
        return false;
    }
    if (m_grid->rowData(row) != values.id)
        m_grid->setRowData(row, values.id);
    m_resume = {};
    ensureBlankLastRow();
    return true;
}

int GridEditorView::onRowLeave(int oldRow, int newRow, int, int *resumeColumn)
{
    if (oldRow == newRow || oldRow < 1 || oldRow >= m_grid->rowCount())
        return 0;
    if (storeRow(oldRow))
        return 0;
    if (resumeColumn)
        *resumeColumn = m_resume.column;
    return -1;
}

bool GridEditorView::hasPendingNewRow() const
{
    for (int row = 1; row < m_grid->rowCount(); ++row)
        if (isNewRow(row) && !m_records->isBlank(readRow(row)))
            return true;
    return false;
}

bool GridEditorView::validatePendingNewRow()
{
    m_grid->commitPendingEdit();
    for (int row = 1; row < m_grid->rowCount(); ++row)
        if (isNewRow(row) && !storeRow(row))
            return false;
    return true;
}

bool GridEditorView::hasUnsavedChanges()
{
    m_grid->commitPendingEdit();
    bool changed = false;
    runGuarded(m_records->title(), [&] {
        for (int row = 1; row < m_grid->rowCount() && !changed; ++row)
            changed = !isNewRow(row) && m_records->differs(readRow(row));
    });
    return changed;
}

bool GridEditorView::saveChanges()
{
    m_grid->commitPendingEdit();
    for (int row = 1; row < m_grid->rowCount(); ++row) {
        bool changed = false;
        if (!runGuarded(m_records->title(), [&] { changed = !isNewRow(row) && m_records->differs(readRow(row)); }))
            return false;
        if (changed && !storeRow(row))
            return false;
    }
    return true;
}

void GridEditorView::resumeEditing()
{
    if (m_resume.isValid())
        m_grid->setCurrentCell(m_resume.row, m_resume.column);
}

void GridEditorView::deleteSelected()
{
    const QString title = m_records->deleteTitle();
    const int row = m_grid->currentRow();
    if (row < 1 || row >= m_grid->rowCount()) {
        ui().tell(title, QStringLiteral("Selezionare la riga da cancellare."), UiPort::Icon::Exclamation);
        return;
    }
    const int id = m_grid->rowData(row);
    bool allowed = true;
    if (id > 0 && !runGuarded(title, [&] { allowed = m_records->mayDelete(id); }))
        return;
    if (!allowed)
        return;
    if (!ui().ask(title, QStringLiteral("Confermi ?")))
        return;
    if (id > 0 && !runGuarded(title, [&] { m_records->remove(id); }))
        return;
    m_grid->setCurrentCell(-1, -1);
    m_grid->deleteRow(row);
    m_resume = {};
    ensureBlankLastRow();
}

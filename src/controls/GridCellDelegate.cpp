#include "GridCellDelegate.h"

#include "CEditableGrid.h"
#include "FieldChecks.h"
#include "GridTable.h"
#include "RulesValidator.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <limits>

GridCellDelegate::GridCellDelegate(CEditableGrid *grid, GridTable *table)
    : QStyledItemDelegate(table)
    , m_grid(grid)
    , m_table(table)
{
}

int GridCellDelegate::kindOf(const QModelIndex &index) const
{
    return m_grid->cellKind(index.row() + 1, index.column());
}

QWidget *GridCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                        const QModelIndex &index) const
{
    const int kind = kindOf(index);
    QWidget *editor = nullptr;
    if (kind == CEditableGrid::DropDown) {
        auto *combo = new QComboBox(parent);
        for (const auto &entry : m_grid->dropDownItems(index.column()))
            combo->addItem(entry.first, entry.second);
        // A choice is stored at once, so the cell's value is current even
        // while the list stays open.
        connect(combo, &QComboBox::activated, this, [this, combo] {
            emit const_cast<GridCellDelegate *>(this)->commitData(combo);
        });
        editor = combo;
    } else if (kind == CEditableGrid::Editable) {
        auto *line = new QLineEdit(parent);
        line->setFrame(false);
        const CEditableGrid::ColumnFormat f = m_grid->columnFormat(index.column());
        EditRules rules;
        switch (f.format) {
        case CEditableGrid::InputFormat::Integer:
            line->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("^-?[0-9]*$")), line));
            break;
        case CEditableGrid::InputFormat::Decimal:
            rules.setParam(EditRules::Amount, f.maxLength, 0, f.decimals);
            line->setValidator(new RulesValidator(rules, line));
            break;
        case CEditableGrid::InputFormat::Date:
            rules.setParam(EditRules::Date, 8, 0, 0);
            line->setValidator(new RulesValidator(rules, line));
            break;
        case CEditableGrid::InputFormat::Time:
            line->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("^[0-9]{0,2}(:[0-9]{0,2}(:[0-9]{0,2})?)?$|^[0-9]{0,4}$")),
                line));
            break;
        case CEditableGrid::InputFormat::TaxCode:
            line->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("^[A-Za-z0-9]{0,16}$")), line));
            break;
        case CEditableGrid::InputFormat::Text:
            rules.setParam(EditRules::Text, f.maxLength, 0, 0);
            line->setValidator(new RulesValidator(rules, line));
            break;
        }
        editor = line;
    }
    if (editor)
        m_table->setOpenEditor(editor);
    return editor;
}

void GridCellDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    if (m_table->openEditor() == editor)
        m_table->setOpenEditor(nullptr);
    QStyledItemDelegate::destroyEditor(editor, index);
}

void GridCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        const QVariant value = index.data(ValueRole);
        int at = value.isValid() ? combo->findData(value) : -1;
        if (at < 0)
            at = combo->findText(text);
        combo->setCurrentIndex(at);
    } else if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        // The column's length limits typing; a longer stored text is kept.
        const int limit = m_grid->columnFormat(index.column()).maxLength;
        line->setMaxLength(limit >= 0 ? std::max(limit, int(text.size()))
                                      : std::numeric_limits<int>::max());
        line->setText(text);
        line->selectAll();
    }
}

void GridCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                    const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        if (combo->currentIndex() < 0)
            return;
        // Read both first: storing the text refreshes the open editor.
        const QString text = combo->currentText();
        const QVariant value = combo->currentData();
        if (value == index.data(ValueRole) && text == index.data(Qt::DisplayRole).toString())
            return;
        if (!m_grid->acceptEdit(index.row() + 1, index.column(), text)) {
            setEditorData(editor, index);
            return;
        }
        model->setData(index, value, ValueRole);
        model->setData(index, text, Qt::DisplayRole);
        m_grid->editStored(index.row() + 1, index.column());
    } else if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        QString text = line->text();
        switch (m_grid->columnFormat(index.column()).format) {
        case CEditableGrid::InputFormat::Date:
            text = FieldChecks::formatDateDigits(text);
            break;
        case CEditableGrid::InputFormat::Time:
            text = FieldChecks::formatTimeDigits(text);
            break;
        case CEditableGrid::InputFormat::TaxCode:
            text = text.toUpper();
            break;
        default:
            break;
        }
        if (text == index.data(Qt::DisplayRole).toString())
            return;
        if (!m_grid->acceptEdit(index.row() + 1, index.column(), text)) {
            setEditorData(editor, index);
            return;
        }
        model->setData(index, text, Qt::DisplayRole);
        m_grid->editStored(index.row() + 1, index.column());
    }
}

void GridCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    if (kindOf(index) != CEditableGrid::RowMarker) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    painter->save();
    painter->fillRect(option.rect, option.palette.button());
    if (index.row() + 1 == m_grid->currentRow()) {
        const QRect r = option.rect;
        const int h = std::min(r.height(), r.width()) / 3;
        const QPoint c = r.center();
        const QPolygon arrow({QPoint(c.x() - h / 2, c.y() - h), QPoint(c.x() - h / 2, c.y() + h),
                              QPoint(c.x() + h / 2 + 1, c.y())});
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setPen(Qt::NoPen);
        painter->setBrush(option.palette.buttonText());
        painter->drawPolygon(arrow);
    }
    painter->restore();
}

bool GridCellDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
                                   const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (kindOf(index) != CEditableGrid::CheckBox)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    if (!(index.flags() & Qt::ItemIsEnabled))
        return false;
    bool toggle = false;
    if (event->type() == QEvent::MouseButtonRelease) {
        toggle = static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        return true; // the press and release already toggled it
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        toggle = key == Qt::Key_Space || key == Qt::Key_Select;
    }
    if (!toggle)
        return false;
    const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

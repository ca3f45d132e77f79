#include "CCheckTreeCtrl.h"

#include <functional>

namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kKnownRole = Qt::UserRole + 1;

void forEachItem(QTreeWidgetItem *item, const std::function<void(QTreeWidgetItem *)> &fn)
{
    fn(item);
    for (int i = 0; i < item->childCount(); ++i)
        forEachItem(item->child(i), fn);
}

} // namespace

CCheckTreeCtrl::CCheckTreeCtrl(QWidget *parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    connect(this, &QTreeWidget::itemChanged, this, &CCheckTreeCtrl::onItemChanged);
}

QTreeWidgetItem *CCheckTreeCtrl::addItem(QTreeWidgetItem *parent, const QString &text, int id,
                                         bool checked)
{
    ++m_loading;
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, text);
    item->setData(0, kIdRole, id);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    item->setData(0, kKnownRole, int(item->checkState(0)));
    --m_loading;
    if (m_cascading && parent)
        refreshAncestors(item);
    return item;
}

int CCheckTreeCtrl::itemId(const QTreeWidgetItem *item)
{
    return item ? item->data(0, kIdRole).toInt() : 0;
}

QTreeWidgetItem *CCheckTreeCtrl::findItem(int id) const
{
    QTreeWidgetItem *found = nullptr;
    for (int i = 0; i < topLevelItemCount() && !found; ++i) {
        forEachItem(topLevelItem(i), [&](QTreeWidgetItem *it) {
            if (!found && itemId(it) == id)
                found = it;
        });
    }
    return found;
}

void CCheckTreeCtrl::setChecked(QTreeWidgetItem *item, bool checked)
{
    if (!item)
        return;
    ++m_loading;
    item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    item->setData(0, kKnownRole, int(item->checkState(0)));
    --m_loading;
    if (m_cascading)
        refreshAncestors(item);
}

bool CCheckTreeCtrl::isChecked(const QTreeWidgetItem *item) const
{
    return item && item->checkState(0) == Qt::Checked;
}

Qt::CheckState CCheckTreeCtrl::checkState(const QTreeWidgetItem *item) const
{
    return item ? item->checkState(0) : Qt::Unchecked;
}

QList<int> CCheckTreeCtrl::checkedIds() const
{
    QList<int> ids;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        forEachItem(topLevelItem(i), [&](QTreeWidgetItem *it) {
            if (it->checkState(0) == Qt::Checked)
                ids.append(itemId(it));
        });
    }
    return ids;
}

void CCheckTreeCtrl::uncheckAll()
{
    ++m_loading;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        forEachItem(topLevelItem(i), [](QTreeWidgetItem *it) {
            it->setCheckState(0, Qt::Unchecked);
            it->setData(0, kKnownRole, int(Qt::Unchecked));
        });
    }
    --m_loading;
}

void CCheckTreeCtrl::setSubtree(QTreeWidgetItem *item, Qt::CheckState state)
{
    forEachItem(item, [state](QTreeWidgetItem *it) {
        it->setCheckState(0, state);
        it->setData(0, kKnownRole, int(state));
    });
}

void CCheckTreeCtrl::refreshAncestors(QTreeWidgetItem *item)
{
    ++m_loading;
    for (QTreeWidgetItem *p = item->parent(); p; p = p->parent()) {
        bool anyChecked = false;
        bool anyUnchecked = false;
        for (int i = 0; i < p->childCount(); ++i) {
            const Qt::CheckState s = p->child(i)->checkState(0);
            anyChecked |= s != Qt::Unchecked;
            anyUnchecked |= s != Qt::Checked;
        }
        const Qt::CheckState state = anyChecked && anyUnchecked ? Qt::PartiallyChecked
            : anyChecked                                        ? Qt::Checked
                                                                : Qt::Unchecked;
        p->setCheckState(0, state);
        p->setData(0, kKnownRole, int(state));
    }
    --m_loading;
}

void CCheckTreeCtrl::onItemChanged(QTreeWidgetItem *item, int column)
{
    if (m_loading || column != 0)
        return;
    Qt::CheckState state = item->checkState(0);
    if (int(state) == item->data(0, kKnownRole).toInt())
        return; // a change of text or data, not of the tick
    // A click on a partly-checked item ticks it (and its subtree).
    if (state == Qt::PartiallyChecked)
        state = Qt::Checked;
    ++m_loading;
    if (m_cascading)
        setSubtree(item, state);
    item->setCheckState(0, state);
    item->setData(0, kKnownRole, int(state));
    --m_loading;
    if (m_cascading)
        refreshAncestors(item);
    emit itemToggled(item, itemId(item), state == Qt::Checked);
}

#include "TreeDropRules.h"

#include <QTreeWidgetItem>

bool TreeDropRules::isDescendant(const QTreeWidgetItem *item, const QTreeWidgetItem *ancestor)
{
    if (!item || !ancestor)
        return false;
    for (const QTreeWidgetItem *p = item->parent(); p; p = p->parent())
        if (p == ancestor)
            return true;
    return false;
}

bool TreeDropRules::isAllowed(const QTreeWidgetItem *dragged, const QTreeWidgetItem *target,
                              bool allowTopLevel)
{
    if (!dragged)
        return false;
    if (!target)
        return allowTopLevel && dragged->parent() != nullptr;
    if (target == dragged || isDescendant(target, dragged))
        return false;
    return dragged->parent() != target;
}

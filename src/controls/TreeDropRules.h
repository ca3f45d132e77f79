#pragma once

class QTreeWidgetItem;

// Whether a category dragged in a tree may be copied or moved onto a target.
class TreeDropRules {
public:
    // Refused when nothing is dragged, when the target is the dragged item
    // itself, lies in its subtree, or already is its parent. A null target
    // stands for the top level: allowed only with allowTopLevel and for an
    // item that is not at the top level already.
    static bool isAllowed(const QTreeWidgetItem *dragged, const QTreeWidgetItem *target,
                          bool allowTopLevel = false);
    // Whether item lies in the subtree of ancestor (ancestor itself excluded).
    static bool isDescendant(const QTreeWidgetItem *item, const QTreeWidgetItem *ancestor);
};

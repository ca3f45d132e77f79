#pragma once

#include <QList>
#include <QTreeWidget>

// A tree whose items carry a check box and a 32-bit identifier (category,
// section ...). A tick or untick by the user is reported through
// itemToggled; the owner acts on it at once and may set the state back or
// elsewhere with setChecked, which reports nothing.
//
// With cascading on, the user's tick or untick also applies to the whole
// subtree of the item, and an item whose descendants differ shows the
// third, partly-checked state.
class CCheckTreeCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit CCheckTreeCtrl(QWidget *parent = nullptr);

    QTreeWidgetItem *addItem(QTreeWidgetItem *parent, const QString &text, int id,
                             bool checked = false);
    static int itemId(const QTreeWidgetItem *item);
    // The first item with that identifier, depth first; null when none.
    QTreeWidgetItem *findItem(int id) const;

    void setChecked(QTreeWidgetItem *item, bool checked);
    bool isChecked(const QTreeWidgetItem *item) const;
    Qt::CheckState checkState(const QTreeWidgetItem *item) const;
    // Identifiers of the ticked items, depth first.
    QList<int> checkedIds() const;
    void uncheckAll();

    void setCascading(bool on) { m_cascading = on; }
    bool isCascading() const { return m_cascading; }

signals:
    void itemToggled(QTreeWidgetItem *item, int id, bool checked);

private:
    void onItemChanged(QTreeWidgetItem *item, int column);
    void setSubtree(QTreeWidgetItem *item, Qt::CheckState state);
    void refreshAncestors(QTreeWidgetItem *item);

    int m_loading = 0;
    bool m_cascading = false;
};

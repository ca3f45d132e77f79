#include "controls/CCheckTreeCtrl.h"
#include "controls/CDragTreeCtrl.h"
#include "controls/TreeDropRules.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

QTreeWidgetItem *add(QTreeWidget &tree, QTreeWidgetItem *parent, const char *name, int id)
{
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(&tree);
    item->setText(0, name);
    item->setData(0, Qt::UserRole, id);
    return item;
}

} // namespace

TEST(DragTree, CopyAndMoveRefusalRules)
{
    CDragTreeCtrl tree;
    QTreeWidgetItem *a = add(tree, nullptr, "Abbigliamento", 1);
    QTreeWidgetItem *a1 = add(tree, a, "Uomo", 2);
    QTreeWidgetItem *a11 = add(tree, a1, "Camicie", 3);
    QTreeWidgetItem *b = add(tree, nullptr, "Calzature", 4);

    std::vector<std::tuple<QTreeWidgetItem *, QTreeWidgetItem *, CDragTreeCtrl::DropAction>> drops;
    QObject::connect(&tree, &CDragTreeCtrl::dropRequested,
                     [&](QTreeWidgetItem *s, QTreeWidgetItem *t, CDragTreeCtrl::DropAction act) {
                         drops.emplace_back(s, t, act);
                     });

    for (int command : {int(CDragTreeCtrl::Copia), int(CDragTreeCtrl::Sposta)}) {
        EXPECT_FALSE(tree.completeDrop(a, a, command)) << "on itself";
        EXPECT_FALSE(tree.completeDrop(a, a1, command)) << "on its child";
        EXPECT_FALSE(tree.completeDrop(a, a11, command)) << "on a deeper descendant";
        EXPECT_FALSE(tree.completeDrop(a11, a1, command)) << "on its own parent";
        EXPECT_FALSE(tree.completeDrop(a1, nullptr, command)) << "on empty space";
    }
    EXPECT_FALSE(tree.completeDrop(a1, b, CDragTreeCtrl::Annulla));
    EXPECT_TRUE(drops.empty());
    EXPECT_EQ(tree.topLevelItemCount(), 2) << "the control changes no items itself";

    EXPECT_TRUE(tree.completeDrop(a1, b, CDragTreeCtrl::Sposta));
    EXPECT_TRUE(tree.completeDrop(a11, a, CDragTreeCtrl::Copia)) << "a grandparent is fine";
    EXPECT_TRUE(tree.completeDrop(b, a11, CDragTreeCtrl::Copia));
    ASSERT_EQ(drops.size(), 3u);
    EXPECT_EQ(drops[0], std::make_tuple(a1, b, CDragTreeCtrl::DropAction::Move));
    EXPECT_EQ(drops[1], std::make_tuple(a11, a, CDragTreeCtrl::DropAction::Copy));
    EXPECT_EQ(drops[2], std::make_tuple(b, a11, CDragTreeCtrl::DropAction::Copy));
    EXPECT_EQ(a11->parent(), a1);

    // Drops on empty space mean the top level only when allowed.
    tree.setTopLevelDropAllowed(true);
    EXPECT_TRUE(tree.completeDrop(a1, nullptr, CDragTreeCtrl::Sposta));
    EXPECT_FALSE(tree.completeDrop(b, nullptr, CDragTreeCtrl::Sposta)) << "already at the top";
    EXPECT_EQ(std::get<1>(drops.back()), nullptr);
}

TEST(DragTree, TheChosenCommandDecides)
{
    CDragTreeCtrl tree;
    QTreeWidgetItem *a = add(tree, nullptr, "A", 1);
    QTreeWidgetItem *b = add(tree, nullptr, "B", 2);
    int moves = 0;
    QObject::connect(&tree, &CDragTreeCtrl::dropRequested,
                     [&](QTreeWidgetItem *, QTreeWidgetItem *, CDragTreeCtrl::DropAction act) {
                         moves += act == CDragTreeCtrl::DropAction::Move;
                     });
    std::vector<int> answers = {CDragTreeCtrl::Annulla, CDragTreeCtrl::Sposta};
    QPoint shownAt;
    tree.setCommandChooser([&](const QPoint &pos) {
        shownAt = pos;
        const int a = answers.front();
        answers.erase(answers.begin());
        return a;
    });
    EXPECT_FALSE(tree.finishDrop(a, b, QPoint(40, 50)));
    EXPECT_EQ(shownAt, QPoint(40, 50));
    EXPECT_TRUE(tree.finishDrop(a, b, QPoint(1, 2)));
    EXPECT_EQ(moves, 1);
}

TEST(DragTree, RulesOnPlainItems)
{
    QTreeWidgetItem root;
    auto *child = new QTreeWidgetItem(&root);
    auto *grandchild = new QTreeWidgetItem(child);
    EXPECT_TRUE(TreeDropRules::isDescendant(grandchild, &root));
    EXPECT_FALSE(TreeDropRules::isDescendant(&root, grandchild));
    EXPECT_FALSE(TreeDropRules::isDescendant(child, child));
    EXPECT_FALSE(TreeDropRules::isAllowed(nullptr, child));
    EXPECT_TRUE(TreeDropRules::isAllowed(grandchild, &root));
    EXPECT_FALSE(TreeDropRules::isAllowed(grandchild, child));
}

TEST(CheckTree, UserTicksAreReportedOwnerTicksAreNot)
{
    CCheckTreeCtrl tree;
    QTreeWidgetItem *a = tree.addItem(nullptr, "Abbigliamento", 10);
    QTreeWidgetItem *a1 = tree.addItem(a, "Uomo", 11, true);
    QTreeWidgetItem *b = tree.addItem(nullptr, "Calzature", 20);

    std::vector<std::tuple<int, bool>> toggles;
    QObject::connect(&tree, &CCheckTreeCtrl::itemToggled,
                     [&](QTreeWidgetItem *, int id, bool on) { toggles.emplace_back(id, on); });

    EXPECT_EQ(tree.checkedIds(), QList<int>{11});
    EXPECT_EQ(tree.findItem(20), b);
    EXPECT_EQ(tree.findItem(99), nullptr);
    EXPECT_EQ(CCheckTreeCtrl::itemId(a1), 11);

    tree.setChecked(b, true);
    a->setText(0, "Moda"); // a change that is not a tick
    EXPECT_TRUE(toggles.empty());

    // What the view does when the user clicks the box.
    a->setCheckState(0, Qt::Checked);
    ASSERT_EQ(toggles.size(), 1u);
    EXPECT_EQ(toggles[0], std::make_tuple(10, true));
    a1->setCheckState(0, Qt::Unchecked);
    ASSERT_EQ(toggles.size(), 2u);
    EXPECT_EQ(toggles[1], std::make_tuple(11, false));
    EXPECT_EQ(tree.checkedIds(), (QList<int>{10, 20}));

    // The owner refuses a tick by setting it back, silently.
    tree.setChecked(a, false);
    EXPECT_FALSE(tree.isChecked(a));
    EXPECT_EQ(toggles.size(), 2u);

    tree.uncheckAll();
    EXPECT_TRUE(tree.checkedIds().isEmpty());
    EXPECT_EQ(toggles.size(), 2u);
}

TEST(CheckTree, CascadingTicksSubtreeAndShowsPartialParents)
{
    CCheckTreeCtrl tree;
    tree.setCascading(true);
    QTreeWidgetItem *a = tree.addItem(nullptr, "A", 1);
    QTreeWidgetItem *a1 = tree.addItem(a, "A1", 2);
    QTreeWidgetItem *a11 = tree.addItem(a1, "A11", 3);
    QTreeWidgetItem *a2 = tree.addItem(a, "A2", 4);
    int signals_ = 0;
    QObject::connect(&tree, &CCheckTreeCtrl::itemToggled, [&] { ++signals_; });

    a->setCheckState(0, Qt::Checked);
    EXPECT_EQ(signals_, 1) << "one report for the clicked item";
    EXPECT_TRUE(tree.isChecked(a11));
    EXPECT_TRUE(tree.isChecked(a2));

    a11->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(tree.checkState(a1), Qt::Unchecked) << "its only child is unticked";
    EXPECT_EQ(tree.checkState(a), Qt::PartiallyChecked);

    // Clicking a partly-ticked item ticks its whole subtree.
    a->setCheckState(0, Qt::Checked);
    EXPECT_EQ(tree.checkState(a), Qt::Checked);
    EXPECT_TRUE(tree.isChecked(a11));
    EXPECT_EQ(signals_, 3);
}

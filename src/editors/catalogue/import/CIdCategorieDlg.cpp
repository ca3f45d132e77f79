#include "editors/catalogue/import/CIdCategorieDlg.h"

#include "data/Database.h"
#include "data/SqlQuote.h"

#include <QHash>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

void addItems(QTreeWidgetItem *parent, QTreeWidget *tree, const QList<TreeNode> &nodes)
{
    for (const TreeNode &n : nodes) {
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        item->setText(0, n.name);
        item->setData(0, Qt::UserRole, n.id);
        addItems(item, tree, n.children);
    }
}

} // namespace

QString CIdCategorieDlg::itemText(int id, const QString &name)
{
    return QStringLiteral("[%1] - %2").arg(id).arg(name);
}

QList<TreeNode> CIdCategorieDlg::loadTree(Database &db, const QString &language)
{
    const QList<QVariantList> rows = db.queryRows(
        QStringLiteral("SELECT ID, IDCategoriaPadre FROM Categorie ORDER BY IDCategoriaPadre, ID"));
    QHash<int, QString> names;
    for (const QVariantList &r : db.queryRows(QStringLiteral("SELECT IDCategoria, Nome FROM CategorieLingue WHERE CodiceLingua=")
                                              + sqlQuote(language)))
        names.insert(r.value(0).toInt(), r.value(1).toString());
    QHash<int, QList<int>> children;
    QHash<int, bool> known;
    for (const QVariantList &r : rows) {
        children[r.value(1).toInt()] << r.value(0).toInt();
        known.insert(r.value(0).toInt(), true);
    }
    // Depth-first from the top level; a category whose parent is missing
    // is shown at the top level so that its identifier can still be read.
    std::function<QList<TreeNode>(int, int)> build = [&](int parent, int depth) {
        QList<TreeNode> out;
        if (depth > 64)
            return out;
        for (int id : children.value(parent)) {
            TreeNode n;
            n.id = id;
            n.name = itemText(id, names.value(id));
            n.children = build(id, depth + 1);
            out << n;
        }
        return out;
    };
    QList<TreeNode> top = build(0, 0);
    for (auto it = children.constBegin(); it != children.constEnd(); ++it) {
        if (it.key() != 0 && !known.contains(it.key())) {
            QList<TreeNode> orphans = build(it.key(), 0);
            top << orphans;
        }
    }
    return top;
}

CIdCategorieDlg::CIdCategorieDlg(Database &db, const QString &language, QWidget *parent)
    : QDialog(parent)
    , m_tree(new QTreeWidget(this))
{
    setWindowTitle(QStringLiteral("ID Categorie"));
    m_tree->setHeaderHidden(true);
    addItems(nullptr, m_tree, loadTree(db, language));
    m_tree->expandAll();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tree);
    resize(360, 420);
}

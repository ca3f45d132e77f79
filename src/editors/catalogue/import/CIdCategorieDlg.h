#pragma once

#include "records/TreeRecords.h"

#include <QDialog>

class Database;
class QTreeWidget;

// The category tree with each category's identifier, "[ID] - name", so that
// the first column of an import file can be written. Categories are sorted
// by parent and ID; names are in the given language.
class CIdCategorieDlg : public QDialog {
    Q_OBJECT
public:
    CIdCategorieDlg(Database &db, const QString &language, QWidget *parent = nullptr);

    QTreeWidget *tree() const { return m_tree; }

    // The tree as the window shows it.
    static QList<TreeNode> loadTree(Database &db, const QString &language);
    static QString itemText(int id, const QString &name);

private:
    QTreeWidget *m_tree;
};

#pragma once

#include "catalogue/ProductTable.h"

#include "editors/common/EditorContract.h"

#include <QWidget>

#include <memory>

class CEditableGrid;
class EditorHost;
class QComboBox;
class QPushButton;
class QScrollBar;
class QTreeWidget;
class QTreeWidgetItem;
struct TreeNode;

// The product table: the category tree ("Tutte le categorie" at the root)
// and a grid of at most twelve products with their four list prices, which
// scrolls over the products of the chosen category. Changed prices are
// written back when the user leaves a row.
class CTabellaProdottiView : public QWidget, public EditorContract {
    Q_OBJECT
public:
    explicit CTabellaProdottiView(EditorHost &host, QWidget *parent = nullptr);
    ~CTabellaProdottiView() override;

    // The factory of the command table.
    static QWidget *create(EditorHost &host, QWidget *parent);

    ProductTable &table() { return *m_table; }
    CEditableGrid *grid() const { return m_grid; }
    QTreeWidget *tree() const { return m_tree; }
    QComboBox *descriptionChooser() const { return m_description; }
    QScrollBar *scrollBar() const { return m_scroll; }
    // The form's two record buttons: write the current row now, or put its
    // stored prices back. Enabled once a price of the row was changed.
    QPushButton *saveButton() const { return m_saveRow; }
    QPushButton *undoButton() const { return m_undoRow; }
    void saveCurrentRow();
    void undoCurrentRow();

    // Shows the products of a category (0: all of them).
    void chooseCategory(int categoryId);
    // The scroll bar's steps.
    enum class Step { LineUp, LineDown, PageUp, PageDown };
    void scroll(Step step);
    void scrollTo(int thumbPosition);

    // Writes the edited prices of a grid row; false when nothing was
    // written (the user is told when the product has no language row to
    // hold them).
    bool commitRow(int row);
    static QString noLanguageRowText(const QString &code);

    // EditorContract: the current row's prices are the pending change.
    bool hasUnsavedChanges() override;
    bool saveChanges() override;
    bool refreshesOnLanguageChange() const override { return true; }
    void refreshLanguage() override;

private:
    void buildTree();
    void addNodes(QTreeWidgetItem *parent, const QList<TreeNode> &nodes);
    void fillGrid();
    bool rowDiffers(int row);
    void priceEdits(int row, ProductTable::PriceEdit (&out)[4]) const;
    static QString priceText(const std::optional<double> &price);
    void setScrollPosition(int position);
    bool leaveCurrentRow();
    void setRecordButtons(bool enabled);
    void showStoredPrices(int row);

    EditorHost &m_host;
    std::unique_ptr<ProductTable> m_table;
    QTreeWidget *m_tree = nullptr;
    QComboBox *m_description = nullptr;
    CEditableGrid *m_grid = nullptr;
    QScrollBar *m_scroll = nullptr;
    QPushButton *m_saveRow = nullptr;
    QPushButton *m_undoRow = nullptr;
};

#pragma once

#include "catalogue/ProductRecords.h"

#include "editors/common/NavigationEditorView.h"

#include <memory>

class CCheckTreeCtrl;
class CEditableGrid;
class ProductColours;
class ProductColoursPage;
class ProductFiles;
class ProductFilesPage;
class ProductImageFrame;
class ProductPicturePage;
class ProductSizesPage;
class CValidatedEdit;
class QCheckBox;
class QFrame;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTreeWidgetItem;

// The product editor: the navigation pattern over the products of one
// frame (base products, or the variants of one base product), with the
// pages "Generale" to "Files" (colours, sizes with their tables, custom
// fields and files among them), the category popup whose ticks
// are written at once, and the product picture.
class CProdottiView : public NavigationEditorView {
    Q_OBJECT
public:
    // baseProductId 0: the base products; otherwise the variants of that
    // product (the frame titled "Gestione Varianti - name").
    explicit CProdottiView(EditorHost &host, int baseProductId = 0, QWidget *parent = nullptr);
    ~CProdottiView() override;

    // The factory of the command table.
    static QWidget *create(EditorHost &host, QWidget *parent);

    int baseProductId() const { return m_baseId; }
    ProductRecords &productRecords() { return *m_product; }
    const DisplayedProduct &displayed() const { return m_shown; }

    // NavigationForm
    bool formDiffers() override;
    bool saveRecord() override;
    void displayRecord() override;
    void blankForm() override;
    qint32 reserveIdentifier() override;
    bool insertRecord(qint32 reservedId) override;
    void discardInsert(qint32 reservedId) override;
    void deleteRecord() override;
    void enterCriteriaMode() override;
    QStringList filterCriteria() override;

    // The form's fields as typed.
    ProductFields formFields() const;
    void showFields(const ProductFields &fields);

    // Pages and controls, for the window's users and tests.
    QTabWidget *pages() const { return m_pages; }
    CValidatedEdit *codeEdit() const { return m_code; }
    CValidatedEdit *nameEdit() const { return m_name; }
    CValidatedEdit *barcodeEdit() const { return m_barcode; }
    CValidatedEdit *invoiceEdit() const { return m_invoice; }
    CValidatedEdit *shortEdit() const { return m_short; }
    CValidatedEdit *longEdit() const { return m_long; }
    CValidatedEdit *priceEdit(int i) const { return m_prices[i]; }
    CValidatedEdit *promoPriceEdit() const { return m_promoPrice; }
    CValidatedEdit *vatEdit() const { return m_vat; }
    CValidatedEdit *discountEdit() const { return m_discount; }
    QCheckBox *activeBox() const { return m_active; }
    QCheckBox *offerBox() const { return m_offer; }
    QRadioButton *promoPriceChoice() const { return m_choosePromo; }
    CCheckTreeCtrl *categoryTree() const { return m_categories; }
    QFrame *categoryPopup() const { return m_popup; }
    CEditableGrid *customGrid() const { return m_custom; }
    bool customLoaded() const { return m_customLoaded; }

    // The pages with a widget of their own.
    ProductPicturePage *picturePage() const { return m_picturePage; }
    ProductColoursPage *coloursPage() const { return m_coloursPage; }
    ProductSizesPage *sizesPage() const { return m_sizesPage; }
    ProductFilesPage *filesPage() const { return m_filesPage; }
    ProductColours &productColours() { return *m_colours; }

    // The variants command: saves pending changes and makes the editor of
    // the displayed product's variants, titled "Gestione Varianti - name",
    // for the caller to show in its own frame. Null when no product is shown.
    static constexpr int VariantsCommand = 32800;
    CProdottiView *createVariantsEditor(QWidget *parent = nullptr);

    // The category popup, placed under the "Categorie" button.
    void showCategories();
    // A tick or untick of a category in the popup.
    void categoryToggled(int categoryId);
    int filterCategory() const { return m_filterCategory; }

    // The category tree is rebuilt in the new language, then the record
    // is shown again.
    void refreshLanguage() override;
    bool handlesRecordCommand(int command) const override;
    CommandState recordCommandState(int command) override;
    void runRecordCommand(int command) override;

private:
    void buildForm();
    QWidget *buildGeneralPage();
    QWidget *buildPricesPage();
    QWidget *buildCustomPage();
    // The page shown at a tab index, and the tab index of a page (-1 when
    // the form has no such page).
    int pageAt(int index) const;
    int indexOfPage(int page) const;
    void loadCustomGrid();
    void buildCategoryTree();
    void fillCategoryTree(QTreeWidgetItem *parent, const QList<struct TreeNode> &nodes);
    void tickLinkedCategories();
    void pageChanged(int index);
    bool pageRefused(int index);
    void focusField(ProductField field);
    bool validateForm(const ProductFields &fields);
    void showSummary();
    // A new image version when the picture changed, to store with the record.
    std::optional<int> imageVersion();
    void writeImageIfChanged(int productId);

    std::unique_ptr<ProductRecords> m_product;
    int m_baseId = 0;
    DisplayedProduct m_shown;
    int m_filterCategory = 0;
    int m_previousPage = 0;
    bool m_changingPage = false;
    bool m_customLoaded = false;

    CValidatedEdit *m_code = nullptr;
    QPlainTextEdit *m_summary = nullptr;
    QPushButton *m_categoriesButton = nullptr;
    QTabWidget *m_pages = nullptr;
    ProductImageFrame *m_picture = nullptr;
    QFrame *m_popup = nullptr;
    CCheckTreeCtrl *m_categories = nullptr;

    CValidatedEdit *m_name = nullptr;
    CValidatedEdit *m_barcode = nullptr;
    CValidatedEdit *m_invoice = nullptr;
    CValidatedEdit *m_short = nullptr;
    CValidatedEdit *m_long = nullptr;
    QCheckBox *m_active = nullptr;
    QCheckBox *m_novelty = nullptr;
    QCheckBox *m_mailing = nullptr;

    CValidatedEdit *m_prices[4] = {};
    CValidatedEdit *m_promoPrice = nullptr;
    CValidatedEdit *m_vat = nullptr;
    CValidatedEdit *m_availability = nullptr;
    CValidatedEdit *m_pack = nullptr;
    CValidatedEdit *m_weight = nullptr;
    CValidatedEdit *m_discount = nullptr;
    CValidatedEdit *m_unit = nullptr;
    CValidatedEdit *m_validFrom = nullptr;
    CValidatedEdit *m_validTo = nullptr;
    QCheckBox *m_offer = nullptr;
    QRadioButton *m_chooseDiscount = nullptr;
    QRadioButton *m_choosePromo = nullptr;

    CEditableGrid *m_custom = nullptr;
    std::unique_ptr<ProductFiles> m_files;
    std::unique_ptr<ProductColours> m_colours;
    ProductPicturePage *m_picturePage = nullptr;
    ProductColoursPage *m_coloursPage = nullptr;
    ProductSizesPage *m_sizesPage = nullptr;
    ProductFilesPage *m_filesPage = nullptr;
};

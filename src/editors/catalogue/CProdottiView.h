#pragma once

#include "catalogue/ProductRecords.h"

#include "editors/common/NavigationEditorView.h"
#include "support/imaging/Image.h"

#include <memory>

class CCheckTreeCtrl;
class CEditableGrid;
class ProductColours;
class ProductFiles;
class QListWidget;
class QComboBox;
class CValidatedEdit;
class QCheckBox;
class QFrame;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class QTreeWidgetItem;
class ProductImageFrame;

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

    // Sizes page: sizes on, the table chosen and the two selector values.
    QCheckBox *sizesBox() const { return m_sizesOn; }
    QComboBox *sizeTableChooser() const { return m_sizeTable; }
    QComboBox *sizeFromChooser() const { return m_sizeFrom; }
    QComboBox *sizeToChooser() const { return m_sizeTo; }
    // "Gestione Tabelle Taglie": the dialog of size tables, then
    // sizeTablesEdited().
    void manageSizeTables();
    // After the size tables were edited: the tables are read again and the
    // page's choice goes back to no table (0, -1, -1).
    void sizeTablesEdited();

    // Colours page: the icon list of the displayed product's colours (item
    // data the colour ID), the colour form and its buttons.
    QListWidget *colourList() const { return m_colourList; }
    CValidatedEdit *colourCodeEdit() const { return m_colourCode; }
    CValidatedEdit *colourDescriptionEdit() const { return m_colourDescription; }
    QCheckBox *colourActiveBox() const { return m_colourActive; }
    int shownColourId() const { return m_colourId; }
    ProductColours &productColours() { return *m_colours; }
    void showColour(int colourId);
    void newColour();
    bool chooseColourPhoto();
    bool chooseColourDetail();
    bool saveColour();
    bool deleteColour();

    // Files page: the codes listed, and its four buttons.
    QListWidget *fileList() const { return m_fileList; }
    CValidatedEdit *fileCodeEdit() const { return m_fileCode; }
    bool addFileCode();
    bool chooseFileForCode();
    bool deleteFileCode();
    bool openFile();

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

    // Image page operations.
    bool chooseImage();
    void previewAdjustments();
    void applyAdjustments();
    void flipImage(bool horizontal);
    const Image &workingImage() const { return m_working; }
    bool imageChanged() const { return m_imageChanged; }

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
    QWidget *buildPicturePage();
    QWidget *buildCustomPage();
    QWidget *buildFilesPage();
    QWidget *buildSizesPage();
    QWidget *buildColoursPage();
    void loadColoursPage();
    bool chooseColourImage(Image &target);
    void loadSizesPage();
    void fillSizeSelector(int tableId, int from, int to);
    void loadFileList();
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
    void writeImageIfChanged(int productId);

    std::unique_ptr<ProductRecords> m_product;
    int m_baseId = 0;
    DisplayedProduct m_shown;
    int m_filterCategory = 0;
    int m_previousPage = 0;
    bool m_changingPage = false;
    bool m_imageChanged = false;
    bool m_customLoaded = false;
    Image m_working;
    Image m_base;

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

    QSlider *m_brightness = nullptr;
    QSlider *m_contrast = nullptr;
    ProductImageFrame *m_pagePicture = nullptr;
    CEditableGrid *m_custom = nullptr;
    std::unique_ptr<ProductFiles> m_files;
    QListWidget *m_fileList = nullptr;
    QCheckBox *m_sizesOn = nullptr;
    QComboBox *m_sizeTable = nullptr;
    QComboBox *m_sizeFrom = nullptr;
    QComboBox *m_sizeTo = nullptr;
    bool m_sizesLoaded = false;
    CValidatedEdit *m_fileCode = nullptr;

    std::unique_ptr<ProductColours> m_colours;
    QListWidget *m_colourList = nullptr;
    CValidatedEdit *m_colourCode = nullptr;
    CValidatedEdit *m_colourDescription = nullptr;
    QCheckBox *m_colourActive = nullptr;
    int m_colourId = 0;
    bool m_colourHasPhoto = false;
    bool m_colourHasDetail = false;
    Image m_colourPhoto;
    Image m_colourDetail;
};

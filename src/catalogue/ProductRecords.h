#pragma once

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <Qt>

#include <optional>

class Database;
class Image;
class LanguageContext;
class Recordset;

// What the product form holds: the general row's fields and those of one
// language row. Numeric edits left empty are std::nullopt (stored as Null).
struct ProductFields {
    // General row.
    QString code;
    QString barcode;
    bool active = false;
    bool novelty = false;
    bool mailing = false;
    bool offer = false;
    // The offer's two-way choice: true = promotional price, false = "% Sconto".
    bool promoPriceChosen = false;
    std::optional<double> vat;
    std::optional<double> weight;
    std::optional<double> pack;
    std::optional<double> availability;
    std::optional<double> discount;
    QDate validFrom;
    QDate validTo;
    // Size table: table ID (0 none) and the two selection values.
    int sizeTable = 0;
    int sizeFrom = -1;
    int sizeTo = -1;

    // Language row.
    QString name;
    QString invoiceDescription;
    QString shortDescription;
    QString longDescription;
    QString unit;
    std::optional<double> prices[4];
    std::optional<double> promoPrice;
    QString customValues;

    bool operator==(const ProductFields &) const = default;
};

// The form fields that validation can point at, with the page that holds
// them (-1: the main form above the pages).
enum class ProductField { Code, Name, InvoiceDescription, Vat, Price1, PromoPrice, Discount };

struct ProductValidation {
    ProductField field;
    int page;
    QString message;
};

// A product as displayed: its fields and which language row they came from.
struct DisplayedProduct {
    int id = 0;
    int baseId = 0;
    ProductFields fields;
    // ID of the language row shown (0: the product has no language row in
    // either the current or the default language).
    int languageRowId = 0;
    QString languageCode;
    bool hasImageFile = false;
};

// Filter criteria typed into the product form in filter entry.
struct ProductFilterInput {
    Qt::CheckState active = Qt::PartiallyChecked;
    Qt::CheckState novelty = Qt::PartiallyChecked;
    Qt::CheckState mailing = Qt::PartiallyChecked;
    Qt::CheckState offer = Qt::PartiallyChecked;
    int category = 0; // 0: no filter category
    QString code;
    QString barcode;
};

// The record logic of the product editor over Prodotti, ProdottiLingue,
// CategorieProdotti, ParoleChiave and ProgressivoVersioneRecord: loading with
// the default-language fallback, validation, saving new and modified
// records, category links carried down to the variants, the filter
// criteria, the keywords row and the product image files.
class ProductRecords {
public:
    ProductRecords(Database &db, LanguageContext &languages, const QString &projectFolder);

    // Pages of the product form.
    enum Page { General = 0, Prices = 1, Picture = 2, Colours = 3, Sizes = 4, Custom = 5, Files = 6 };

    // First failure of the validation order; nullopt when the fields pass.
    // Prices are only required in the default language.
    static std::optional<ProductValidation> validate(const ProductFields &fields,
                                                     bool defaultLanguage);

    // The product with its language row in the current language, else the
    // default language's row.
    DisplayedProduct load(int productId);

    // Stores a modified record: the general row, and the displayed language
    // row when it is in the current language, otherwise a new row in the
    // current language. customLoaded says whether the custom values are
    // written. imageVersion (when set) is stored with the image flag.
    // Returns the ID of the language row written. Writes the keywords row.
    int saveModified(const DisplayedProduct &displayed, const ProductFields &fields,
                     bool customLoaded, std::optional<int> imageVersion = std::nullopt);
    // Adds a new product with the reserved ID under baseId (0 for a base
    // product) and its language row in the current language. A variant is
    // linked to every category of its base product.
    void saveNew(int reservedId, int baseId, const ProductFields &fields,
                 std::optional<int> imageVersion = std::nullopt);
    // Only the size-table choice, as saved from the sizes page.
    void saveSizeChoice(int productId, int table, int from, int to);

    // Size tables (ID and name) in name order, and the sizes of one table
    // (its text holds one size a line).
    QList<QPair<int, QString>> sizeTables();
    QStringList sizesOf(int tableId);

    // Next identifier of the product table.
    int reserveId();

    // The product's category links.
    QList<int> categories(int productId);
    // Ticks or unticks a category for a product and every variant of it at
    // any depth; returns whether the product is linked afterwards.
    bool toggleCategory(int productId, int categoryId);
    // Removes the links written for an abandoned insert.
    void discardLinks(int productId);
    // Deletes a product with its variants, logs them and removes their
    // files (ProductDeletion). positioned, when given, is the set whose
    // current row is the product.
    void deleteProduct(int productId, Recordset *positioned = nullptr);

    // IDs of a product's variants at every depth (not the product itself).
    QList<int> variantsOf(int productId);

    // Conditions of the filter entry, in the order they are joined.
    QStringList filterCriteria(const ProductFilterInput &input);
    // The base filter of a frame: "IDProdottoBase=%d".
    static QString baseFilter(int baseProductId);

    // The custom-field definitions filter of a product's categories:
    // "IDCategoria=0" followed by " OR IDCategoria=%d" per category.
    static QString customDefinitionFilter(const QList<int> &categories);

    // Names of the custom fields defined for category 0 and the given
    // categories, in definition order, each once.
    QStringList customFieldNames(const QList<int> &categories);
    // The custom values text: "name|value|" per field; reading splits the
    // text at "|" in pairs (a trailing odd piece is a name without value).
    static QList<QPair<QString, QString>> splitCustomValues(const QString &text);
    static QString joinCustomValues(const QList<QPair<QString, QString>> &values);

    // Next value of the global record version counter (from 1).
    int nextImageVersion();
    // Writes the product image at the configured product width and the
    // thumbnail at the thumbnail width (natural size when a width is unset).
    bool saveImageFiles(int productId, const Image &working, QString *error = nullptr);
    QString imagePath(int productId) const;
    QString thumbnailPath(int productId) const;
    int imageWidth();
    int thumbnailWidth();

    // Writes the keywords row of the product in that language.
    void writeKeywords(int productId, const QString &languageCode, const ProductFields &fields);

private:
    void writeGeneral(class CProdottiGeneraleSet &set, const ProductFields &fields);
    void writeLanguage(class CProdottiLingueSet &set, const ProductFields &fields, bool customLoaded);
    void linkTree(int productId, int categoryId, bool link, QList<int> &visited);
    int configurationWidth(const char *column);

    Database &m_db;
    LanguageContext &m_languages;
    QString m_folder;
};

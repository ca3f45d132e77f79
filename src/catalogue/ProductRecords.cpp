#include "ProductRecords.h"
#include "ProductColours.h"
#include "catalogue/ProductDeletion.h"
#include "catalogue/ProductPictures.h"
#include "catalogue/SizeTables.h"

#include "records/FilterCriteria.h"
#include "records/LanguageContext.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "data/NextId.h"
#include "data/SqlQuote.h"
#include "data/sets/CCategorieProdottiSet.h"
#include "data/sets/CParoleChiaveSet.h"
#include "data/sets/CProdottiGeneraleSet.h"
#include "data/sets/CProdottiLingueSet.h"
#include "data/sets/CProgressivoVersioneRecordSet.h"
#include "support/Keywords.h"
#include "support/imaging/Image.h"
#include "support/ValidationTexts.h"

#include <QFile>

namespace {

// Keywords rows of products.
constexpr int kProductKeywords = 1;

void setOptional(Recordset &set, const QString &column, const std::optional<double> &value)
{
    if (value)
        set.setValue(column, *value);
    else
        set.setNull(column);
}

std::optional<double> readOptional(const Recordset &set, const QString &column)
{
    if (set.isNull(column))
        return std::nullopt;
    return set.doubleValue(column);
}

QString languageCriteria(int productId, const QString &language)
{
    return QStringLiteral("IDProdotto=%1 AND CodiceLingua=%2").arg(productId).arg(sqlQuote(language));
}

} // namespace

ProductRecords::ProductRecords(Database &db, LanguageContext &languages, const QString &projectFolder)
    : m_db(db), m_languages(languages), m_folder(projectFolder)
{
}

std::optional<ProductValidation> ProductRecords::validate(const ProductFields &f, bool defaultLanguage)
{
    if (f.code.trimmed().isEmpty())
        return ProductValidation{ProductField::Code, -1, ValidationTexts::Mandatory};
    if (f.name.trimmed().isEmpty())
        return ProductValidation{ProductField::Name, General, ValidationTexts::Mandatory};
    if (f.invoiceDescription.trimmed().isEmpty() && f.shortDescription.trimmed().isEmpty()
        && f.longDescription.trimmed().isEmpty())
        return ProductValidation{ProductField::InvoiceDescription, General, ValidationTexts::Mandatory};
    if (!f.vat)
        return ProductValidation{ProductField::Vat, Prices, ValidationTexts::Mandatory};
    if (defaultLanguage) {
        if (!f.prices[0])
            return ProductValidation{ProductField::Price1, Prices, ValidationTexts::Mandatory};
        if (f.offer) {
            if (f.promoPriceChosen && !f.promoPrice)
                return ProductValidation{ProductField::PromoPrice, Prices, ValidationTexts::Mandatory};
            if (!f.promoPriceChosen && !f.discount)
                return ProductValidation{ProductField::Discount, Prices, ValidationTexts::Mandatory};
        }
    }
    return std::nullopt;
}

DisplayedProduct ProductRecords::load(int productId)
{
    DisplayedProduct shown;
    shown.id = productId;

    CProdottiGeneraleSet general(m_db);
    general.setFilter(QStringLiteral("ID=%1").arg(productId));
    general.open();
    if (general.isEOF())
        return shown;
    ProductFields &f = shown.fields;
    shown.baseId = general.IDProdottoBase();
    f.code = general.Codice();
    f.barcode = general.CodiceABarre();
    f.active = general.Attivo();
    f.novelty = general.Novita();
    f.mailing = general.Mailing();
    f.offer = general.Offerta();
    f.promoPriceChosen = general.TipoOfferta() != 0;
    f.vat = readOptional(general, QStringLiteral("IVA"));
    f.weight = readOptional(general, QStringLiteral("Peso"));
    f.pack = readOptional(general, QStringLiteral("Confezione"));
    f.availability = readOptional(general, QStringLiteral("Disponibilita"));
    f.discount = readOptional(general, QStringLiteral("Sconto"));
    f.validFrom = general.ValiditaDal().date();
    f.validTo = general.ValiditaAl().date();
    f.sizeTable = general.IDTabellaTaglie();
    f.sizeFrom = general.isNull(QStringLiteral("TagliaDa")) ? -1 : general.TagliaDa();
    f.sizeTo = general.isNull(QStringLiteral("TagliaA")) ? -1 : general.TagliaA();

    CProdottiLingueSet language(m_db);
    language.open();
    if (language.findFirst(languageCriteria(productId, m_languages.currentLanguageCode()))
        || language.findFirst(languageCriteria(productId, m_languages.defaultLanguageCode()))) {
        shown.languageRowId = language.ID();
        shown.languageCode = language.CodiceLingua();
        f.name = language.Nome();
        f.invoiceDescription = language.DescrizioneFattura();
        f.shortDescription = language.DescrizioneBreve();
        f.longDescription = language.DescrizioneEstesa();
        f.unit = language.UnitaMisura();
        for (int i = 0; i < 4; ++i)
            f.prices[i] = readOptional(language, QStringLiteral("Prezzo%1").arg(i + 1));
        f.promoPrice = readOptional(language, QStringLiteral("PrezzoPromozionale"));
        f.customValues = language.ValoriCustom();
    }
    shown.hasImageFile = QFile::exists(imagePath(productId));
    return shown;
}

void ProductRecords::writeGeneral(CProdottiGeneraleSet &set, const ProductFields &f)
{
    set.setCodice(f.code);
    set.setCodiceABarre(f.barcode);
    set.setAttivo(f.active);
    set.setNovita(f.novelty);
    set.setMailing(f.mailing);
    set.setOfferta(f.offer);
    set.setTipoOfferta(f.promoPriceChosen ? 1 : 0);
    setOptional(set, QStringLiteral("IVA"), f.vat);
    setOptional(set, QStringLiteral("Peso"), f.weight);
    setOptional(set, QStringLiteral("Confezione"), f.pack);
    setOptional(set, QStringLiteral("Disponibilita"), f.availability);
    setOptional(set, QStringLiteral("Sconto"), f.discount);
    set.setValiditaDal(f.validFrom.isValid() ? QDateTime(f.validFrom, QTime(0, 0)) : QDateTime());
    set.setValiditaAl(f.validTo.isValid() ? QDateTime(f.validTo, QTime(0, 0)) : QDateTime());
    set.setModificato(true);
}

void ProductRecords::writeLanguage(CProdottiLingueSet &set, const ProductFields &f, bool customLoaded)
{
    set.setNome(f.name);
    set.setDescrizioneFattura(f.invoiceDescription);
    set.setDescrizioneBreve(f.shortDescription);
    set.setDescrizioneEstesa(f.longDescription);
    set.setUnitaMisura(f.unit);
    for (int i = 0; i < 4; ++i)
        setOptional(set, QStringLiteral("Prezzo%1").arg(i + 1), f.prices[i]);
    setOptional(set, QStringLiteral("PrezzoPromozionale"), f.promoPrice);
    if (customLoaded)
        set.setValoriCustom(f.customValues);
    set.setModificato(true);
}

int ProductRecords::saveModified(const DisplayedProduct &shown, const ProductFields &fields,
                                 bool customLoaded, std::optional<int> imageVersion)
{
    Transaction tx(m_db);
    CProdottiGeneraleSet general(m_db);
    general.setFilter(QStringLiteral("ID=%1").arg(shown.id));
    general.open();
    if (general.isEOF())
        throw DataError(QStringLiteral("Il prodotto %1 non esiste più.").arg(shown.id));
    general.edit();
    writeGeneral(general, fields);
    if (imageVersion) {
        general.setVersioneImmagine(*imageVersion);
        general.setImmagine(true);
    }
    general.update();

    const QString current = m_languages.currentLanguageCode();
    CProdottiLingueSet language(m_db);
    language.open();
    int rowId = 0;
    if (shown.languageRowId != 0 && shown.languageCode == current
        && language.findFirst(QStringLiteral("ID=%1").arg(shown.languageRowId))) {
        rowId = shown.languageRowId;
        language.edit();
    } else {
        rowId = nextId(language);
        language.addNew();
        language.setID(rowId);
        language.setIDProdotto(shown.id);
        language.setCodiceLingua(current);
        // A row in a new language starts from the custom values shown.
        customLoaded = true;
    }
    writeLanguage(language, fields, customLoaded);
    language.update();

    writeKeywords(shown.id, current, fields);
    tx.commit();
    return rowId;
}

void ProductRecords::saveNew(int reservedId, int baseId, const ProductFields &fields,
                             std::optional<int> imageVersion)
{
    Transaction tx(m_db);
    CProdottiGeneraleSet general(m_db);
    general.setFilter(QStringLiteral("ID=%1").arg(reservedId));
    general.open();
    general.addNew();
    general.setID(reservedId);
    general.setOrdine(reservedId);
    general.setIDProdottoBase(baseId);
    general.setIDTabellaTaglie(0);
    general.setTagliaDa(-1);
    general.setTagliaA(-1);
    writeGeneral(general, fields);
    general.setImmagine(imageVersion.has_value());
    if (imageVersion)
        general.setVersioneImmagine(*imageVersion);
    general.update();

    CProdottiLingueSet language(m_db);
    language.setFilter(QStringLiteral("ID=0"));
    language.open();
    language.addNew();
    language.setID(nextId(language));
    language.setIDProdotto(reservedId);
    language.setCodiceLingua(m_languages.currentLanguageCode());
    writeLanguage(language, fields, true);
    language.update();

    // A variant belongs to every category of its base product.
    if (baseId != 0) {
        const QList<int> own = categories(reservedId);
        CCategorieProdottiSet links(m_db);
        links.setFilter(QStringLiteral("ID=0"));
        links.open();
        for (int category : categories(baseId)) {
            if (own.contains(category))
                continue;
            links.addNew();
            links.setID(nextId(links));
            links.setIDCategoria(category);
            links.setIDProdotto(reservedId);
            links.setModificato(true);
            links.update();
        }
    }

    writeKeywords(reservedId, m_languages.currentLanguageCode(), fields);
    tx.commit();
}

void ProductRecords::saveSizeChoice(int productId, int table, int from, int to)
{
    CProdottiGeneraleSet general(m_db);
    general.setFilter(QStringLiteral("ID=%1").arg(productId));
    general.open();
    if (general.isEOF())
        return;
    general.edit();
    general.setIDTabellaTaglie(table);
    general.setTagliaDa(from);
    general.setTagliaA(to);
    general.setModificato(true);
    general.update();
}

QList<QPair<int, QString>> ProductRecords::sizeTables()
{
    return SizeTables(m_db).tables();
}

QStringList ProductRecords::sizesOf(int tableId)
{
    return SizeTables(m_db).sizes(tableId);
}

int ProductRecords::reserveId()
{
    return nextId(m_db, QStringLiteral("Prodotti"));
}

QList<int> ProductRecords::categories(int productId)
{
    QList<int> ids;
    const auto rows = m_db.queryRows(
        QStringLiteral("SELECT IDCategoria FROM CategorieProdotti WHERE IDProdotto=%1 ORDER BY ID")
            .arg(productId));
    for (const QVariantList &row : rows)
        ids.append(row.value(0).toInt());
    return ids;
}

QList<int> ProductRecords::variantsOf(int productId)
{
    QList<int> found;
    QList<int> pending{productId};
    while (!pending.isEmpty()) {
        const int parent = pending.takeFirst();
        const auto rows = m_db.queryRows(
            QStringLiteral("SELECT ID FROM Prodotti WHERE IDProdottoBase=%1 ORDER BY ID").arg(parent));
        for (const QVariantList &row : rows) {
            const int id = row.value(0).toInt();
            // A damaged table could make a product its own variant.
            if (id == productId || found.contains(id))
                continue;
            found.append(id);
            pending.append(id);
        }
    }
    return found;
}

bool ProductRecords::toggleCategory(int productId, int categoryId)
{
    const bool linked = !m_db
                             .scalar(QStringLiteral("SELECT ID FROM CategorieProdotti WHERE "
                                                    "IDCategoria=%1 AND IDProdotto=%2")
                                         .arg(categoryId)
                                         .arg(productId))
                             .isNull();
    Transaction tx(m_db);
    QList<int> products{productId};
    products += variantsOf(productId);
    CCategorieProdottiSet links(m_db);
    links.open();
    for (int id : products) {
        const QString criteria =
            QStringLiteral("IDCategoria=%1 AND IDProdotto=%2").arg(categoryId).arg(id);
        if (linked) {
            while (links.findFirst(criteria))
                links.deleteCurrent();
        } else if (!links.findFirst(criteria)) {
            links.addNew();
            links.setID(nextId(links));
            links.setIDCategoria(categoryId);
            links.setIDProdotto(id);
            links.setModificato(true);
            links.update();
        }
    }
    tx.commit();
    return !linked;
}

void ProductRecords::discardLinks(int productId)
{
    m_db.execute(QStringLiteral("DELETE FROM CategorieProdotti WHERE IDProdotto=%1").arg(productId));
}

void ProductRecords::deleteProduct(int productId, Recordset *positioned)
{
    ProductDeletion deletion(m_db, m_folder);
    deletion.deleteProduct(productId, positioned);
    deletion.removeFiles();
}

QString ProductRecords::baseFilter(int baseProductId)
{
    return QStringLiteral("IDProdottoBase=%1").arg(baseProductId);
}

QStringList ProductRecords::filterCriteria(const ProductFilterInput &in)
{
    using namespace FilterCriteria;
    QStringList criteria{boolCriterion(QStringLiteral("Attivo"), in.active),
                         boolCriterion(QStringLiteral("Novita"), in.novelty),
                         boolCriterion(QStringLiteral("Mailing"), in.mailing),
                         boolCriterion(QStringLiteral("Offerta"), in.offer)};
    if (in.category != 0) {
        QStringList ids;
        const auto rows = m_db.queryRows(
            QStringLiteral("SELECT IDProdotto FROM CategorieProdotti WHERE IDCategoria=%1 ORDER BY ID")
                .arg(in.category));
        for (const QVariantList &row : rows)
            ids << QString::number(row.value(0).toInt());
        // A category without links selects nothing (no product has ID 0).
        if (ids.isEmpty())
            ids << QStringLiteral("0");
        criteria << QStringLiteral("ID IN (%1)").arg(ids.join(QLatin1Char(',')));
    }
    criteria << prefixCriterion(QStringLiteral("Codice"), in.code)
             << prefixCriterion(QStringLiteral("CodiceABarre"), in.barcode);
    criteria.removeAll(QString());
    return criteria;
}

QString ProductRecords::customDefinitionFilter(const QList<int> &categories)
{
    QString filter = QStringLiteral("IDCategoria=0");
    for (int id : categories)
        filter += QStringLiteral(" OR IDCategoria=%1").arg(id);
    return filter;
}

QStringList ProductRecords::customFieldNames(const QList<int> &categories)
{
    QStringList names;
    const auto rows = m_db.queryRows(QStringLiteral("SELECT Nome FROM DefCampiCustom WHERE %1 ORDER BY ID")
                                         .arg(customDefinitionFilter(categories)));
    for (const QVariantList &row : rows) {
        const QString name = row.value(0).toString();
        if (!name.isEmpty() && !names.contains(name))
            names << name;
    }
    return names;
}

QList<QPair<QString, QString>> ProductRecords::splitCustomValues(const QString &text)
{
    QList<QPair<QString, QString>> values;
    const QStringList parts = text.split(QLatin1Char('|'));
    // The text ends with "|": the last piece is empty and not a name.
    int i = 0;
    for (; i + 1 < parts.size(); i += 2)
        values.append({parts[i], parts[i + 1]});
    if (i < parts.size() && !parts[i].isEmpty())
        values.append({parts[i], QString()});
    return values;
}

QString ProductRecords::joinCustomValues(const QList<QPair<QString, QString>> &values)
{
    QString text;
    for (const auto &[name, value] : values) {
        // A "|" typed into a value would split it on reading.
        QString clean = value;
        clean.replace(QLatin1Char('|'), QLatin1Char('/'));
        text += name + QLatin1Char('|') + clean + QLatin1Char('|');
    }
    return text;
}

int ProductRecords::nextImageVersion()
{
    CProgressivoVersioneRecordSet counter(m_db);
    counter.open(QStringLiteral("SELECT * FROM ProgressivoVersioneRecord"));
    int value = 0;
    if (counter.isEOF()) {
        counter.addNew();
    } else {
        value = counter.ProgressivoVersioneRecord();
        counter.edit();
    }
    ++value;
    counter.setProgressivoVersioneRecord(value);
    counter.setModificato(true);
    counter.update();
    return value;
}

int ProductRecords::configurationWidth(const char *column)
{
    const QVariant v =
        m_db.scalar(QStringLiteral("SELECT %1 FROM Configurazione").arg(QLatin1String(column)));
    return v.isNull() ? 0 : v.toInt();
}

int ProductRecords::imageWidth()
{
    return configurationWidth("LarghezzaDettaglioProdotti");
}

int ProductRecords::thumbnailWidth()
{
    return configurationWidth("LarghezzaIndiceProdotti");
}

QString ProductRecords::imagePath(int productId) const
{
    return ProductPictures(m_folder).productImage(productId);
}

QString ProductRecords::thumbnailPath(int productId) const
{
    return ProductPictures(m_folder).productThumbnail(productId);
}

bool ProductRecords::saveImageFiles(int productId, const Image &working, QString *error)
{
    if (!working.isLoaded()) {
        if (error)
            *error = QStringLiteral("Nessuna immagine");
        return false;
    }
    const int width = imageWidth();
    const Image image = width > 0 ? working.resizedToWidth(width) : working;
    if (!image.saveJpeg(imagePath(productId), error))
        return false;
    const int thumb = thumbnailWidth();
    const Image small = thumb > 0 ? working.resizedToWidth(thumb) : working;
    return small.saveJpeg(thumbnailPath(productId), error);
}

void ProductRecords::writeKeywords(int productId, const QString &languageCode, const ProductFields &f)
{
    const QString text = QStringList{f.name, f.invoiceDescription, f.shortDescription,
                                     f.longDescription, f.customValues}
                             .join(QLatin1Char(' '));
    CParoleChiaveSet keywords(m_db);
    keywords.open();
    if (keywords.findFirst(QStringLiteral("Tipo=%1 AND IDRecord=%2 AND CodiceLingua=%3")
                               .arg(kProductKeywords)
                               .arg(productId)
                               .arg(sqlQuote(languageCode)))) {
        keywords.edit();
    } else {
        keywords.addNew();
        keywords.setID(nextId(keywords));
        keywords.setTipo(kProductKeywords);
        keywords.setIDRecord(productId);
        keywords.setCodiceLingua(languageCode);
    }
    keywords.setKeywords(f.code + QLatin1Char('/') + ElaboraKeywords(text));
    keywords.setModificato(true);
    keywords.update();
}

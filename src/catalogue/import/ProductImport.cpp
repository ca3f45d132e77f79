#include "catalogue/import/ProductImport.h"

#include "catalogue/ProductDeletion.h"
#include "data/DataError.h"
#include "data/Database.h"
#include "data/DatabaseFiles.h"
#include "data/NextId.h"
#include "data/SqlQuote.h"
#include "data/sets/CCategorieGenSet.h"
#include "data/sets/CCategorieProdottiSet.h"
#include "data/sets/CProdottiGeneraleSet.h"
#include "data/sets/CProdottiLingueSet.h"
#include "catalogue/import/ImportTextFile.h"
#include "project/ProjectFolder.h"
#include "support/UiPort.h"

#include <QFile>
#include <QHash>
#include <QSet>

namespace {

void removeDatabaseFile(const QString &path)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
    QFile::remove(path + QStringLiteral("-journal"));
}

// Runs fn with the live connection closed, reopening it afterwards even
// when fn throws.
template <typename Fn>
void withLiveClosed(Database *live, Fn fn)
{
    if (!live || !live->isOpen()) {
        fn();
        return;
    }
    const QString path = live->path();
    live->close();
    try {
        fn();
    } catch (...) {
        live->open(path);
        throw;
    }
    live->open(path);
}

// Product codes as the database compares them (COLLATE NOCASE folds
// ASCII letters only).
QString foldedCode(const QString &code)
{
    QString out = code;
    for (QChar &c : out) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    }
    return out;
}

// The base products, at every level, of the products that are not
// obsolete (written by this run or changed since the last publication).
QSet<int> basesOfKeptProducts(Database &db)
{
    QHash<int, int> baseOf;
    QList<int> kept;
    for (const QVariantList &r : db.queryRows(QStringLiteral("SELECT ID, IDProdottoBase, Modificato FROM Prodotti"))) {
        const int id = r.value(0).toInt();
        baseOf.insert(id, r.value(1).toInt());
        if (r.value(2).toBool())
            kept << id;
    }
    QSet<int> needed;
    for (int id : kept) {
        for (int base = baseOf.value(id); base != 0 && !needed.contains(base); base = baseOf.value(base))
            needed.insert(base);
    }
    return needed;
}

} // namespace

QString ProductImport::lineErrorText(int line)
{
    return QStringLiteral("ERRORE durante l'operazione alla linea %1.\n").arg(line);
}

QString ProductImport::categoryErrorText(int line)
{
    return QStringLiteral("Categoria prodotto errata alla linea %1.\n").arg(line);
}

QString ProductImport::lineStatusText(int line, int count)
{
    return QStringLiteral("Import linea %1 / %2 in corso...").arg(line).arg(count);
}

QString ProductImport::fileErrorText(const QString &file, const QString &reason)
{
    return QStringLiteral("Impossibile leggere il file:\n%1\n\n%2").arg(file, reason);
}

QString ProductImport::dataErrorText(const QString &reason)
{
    return QStringLiteral("Errore dell'archivio durante l'import:\n%1").arg(reason);
}

ProductImport::ProductImport(const QString &projectFolder, ImportOptions options)
    : m_project(projectFolder)
    , m_options(std::move(options))
{
}

bool ProductImport::cancelled()
{
    if (m_progress.pump)
        m_progress.pump();
    return m_cancel;
}

void ProductImport::status(const QString &text)
{
    if (m_progress.status)
        m_progress.status(text);
}

ProductImport::Result ProductImport::run()
{
    Result result;
    m_cancel = false;
    m_deletedFiles = {};
    m_running = true;
    const ProjectFolder project(m_project);
    const QString target = project.database();
    const QString temp = project.newTempDatabase();

    ImportTextFile file;
    QString reason;
    if (!file.read(m_options.file, &reason)) {
        m_running = false;
        result.outcome = Outcome::FileError;
        result.detail = fileErrorText(m_options.file, reason);
        return result;
    }
    result.lines = file.lineCount();

    bool copied = false;
    try {
        withLiveClosed(m_live, [&] { DatabaseFiles::workingCopy(target, temp); });
        copied = true;
        {
            Database db(temp, Database::OpenMode::WorkingCopy);
            Transaction transaction(db);
            importLines(db, file.lines(), result);
            if (result.ok())
                handleObsolete(db, result);
            if (result.ok())
                transaction.commit();
        }
        if (result.ok()) {
            withLiveClosed(m_live, [&] { DatabaseFiles::replace(temp, target); });
            m_deletedFiles.remove();
        }
    } catch (const DataError &e) {
        result.outcome = Outcome::DataFailure;
        result.detail = dataErrorText(e.text());
    }
    if (!result.ok() && copied)
        removeDatabaseFile(temp);
    m_running = false;
    return result;
}

void ProductImport::importLines(Database &db, const QStringList &lines, Result &result)
{
    CProdottiGeneraleSet gen(db);
    CProdottiLingueSet lin(db);
    CCategorieGenSet cat(db);
    CCategorieProdottiSet links(db);
    gen.open();
    lin.open();
    cat.open();
    links.open();

    const int count = int(lines.size());
    if (m_progress.range)
        m_progress.range(count);
    const QString language = sqlQuote(m_options.language);

    // This run is the only writer of the copy, so the next identifiers and
    // the product codes are read once and then kept up to date here; codes
    // are compared as the database compares them (ASCII letters without
    // regard to case). A code held by several products finds the first.
    int nextProduct = nextId(gen);
    int nextLanguageRow = nextId(lin);
    int nextLink = nextId(links);
    QHash<QString, int> codes;
    for (const QVariantList &r : db.queryRows(QStringLiteral("SELECT ID, Codice FROM Prodotti ORDER BY ID DESC")))
        codes.insert(foldedCode(r.value(1).toString()), r.value(0).toInt());
    QSet<int> knownCategories;

    ImportedProduct p;
    for (int i = 0; i < count; ++i) {
        const int lineNo = i + 1;
        if (cancelled()) {
            result.outcome = Outcome::Cancelled;
            return;
        }
        status(lineStatusText(lineNo, count));
        if (m_progress.position)
            m_progress.position(lineNo);
        ImportLineError error;
        if (!parseImportLine(lines.at(i), m_options.separator, m_options.codes, p, &error)) {
            result.outcome = Outcome::LineError;
            result.line = lineNo;
            result.detail = error.text();
            return;
        }
        if (!knownCategories.contains(p.categoria)) {
            if (!cat.findFirst(QStringLiteral("ID=%1").arg(p.categoria))) {
                result.outcome = Outcome::CategoryError;
                result.line = lineNo;
                return;
            }
            knownCategories.insert(p.categoria);
        }

        int productId;
        const QString folded = foldedCode(p.codice);
        const auto known = codes.constFind(folded);
        const bool exists = known != codes.constEnd() && gen.findFirst(QStringLiteral("ID=%1").arg(*known));
        if (exists) {
            productId = gen.ID();
            gen.edit();
            ++result.updated;
        } else {
            gen.addNew();
            productId = nextProduct++;
            gen.setID(productId);
            gen.setOrdine(productId);
            gen.setCodice(p.codice);
            codes.insert(folded, productId);
            ++result.added;
        }
        gen.setCodiceABarre(p.codiceABarre);
        gen.setAttivo(p.attivo);
        gen.setNovita(p.novita);
        gen.setOfferta(p.offerta);
        gen.setIVA(p.iva);
        gen.setPeso(p.peso);
        gen.setDisponibilita(p.disponibilita);
        gen.setSconto(p.sconto);
        gen.setValiditaDal(p.validitaDal);
        gen.setValiditaAl(p.validitaAl);
        gen.setModificato(true);
        gen.update();

        if (exists && lin.findFirst(QStringLiteral("IDProdotto=%1 AND CodiceLingua=%2").arg(productId).arg(language))) {
            lin.edit();
        } else {
            lin.addNew();
            lin.setID(nextLanguageRow++);
            lin.setIDProdotto(productId);
        }
        lin.setCodiceLingua(m_options.language);
        lin.setNome(p.nome);
        lin.setDescrizioneFattura(p.descrizioneFattura);
        lin.setDescrizioneBreve(p.descrizioneBreve);
        lin.setDescrizioneEstesa(p.descrizioneEstesa);
        lin.setUnitaMisura(p.unitaMisura);
        lin.setPrezzo1(p.prezzo[0]);
        lin.setPrezzo2(p.prezzo[1]);
        lin.setPrezzo3(p.prezzo[2]);
        lin.setPrezzo4(p.prezzo[3]);
        lin.setPrezzoPromozionale(p.prezzoPromozionale);
        lin.setModificato(true);
        lin.update();

        if (exists && links.findFirst(QStringLiteral("IDProdotto=%1").arg(productId))) {
            if (links.IDCategoria() != p.categoria) {
                links.edit();
                links.setIDCategoria(p.categoria);
                links.setModificato(true);
                links.update();
            }
        } else {
            links.addNew();
            links.setID(nextLink++);
            links.setIDCategoria(p.categoria);
            links.setIDProdotto(productId);
            links.setModificato(true);
            links.update();
        }
    }
}

void ProductImport::handleObsolete(Database &db, Result &result)
{
    if (m_options.obsolete == ImportOptions::Obsolete::Keep)
        return;
    // A base product stays, whatever the file says, while one of its
    // variants (at any depth) stays: deleting it would take the variant
    // with it, deactivating it would hide the variant on the site.
    const QSet<int> needed = basesOfKeptProducts(db);
    CProdottiGeneraleSet obsolete(db);
    obsolete.setFilter(QStringLiteral("Modificato=FALSE"));
    obsolete.open();
    const int count = obsolete.recordCount();
    if (count == 0)
        return;
    status(ObsoleteStatusText);
    if (m_progress.range)
        m_progress.range(count);

    ProductDeletion deletion(db, m_project);
    int done = 0;
    for (obsolete.moveFirst(); !obsolete.isEOF(); obsolete.moveNext()) {
        if (cancelled()) {
            result.outcome = Outcome::Cancelled;
            return;
        }
        if (m_progress.position)
            m_progress.position(++done);
        if (needed.contains(obsolete.ID())) {
            ++result.keptBases;
            continue;
        }
        if (m_options.obsolete == ImportOptions::Obsolete::Delete) {
            // The variants go with the product; their files once the
            // import is in place.
            deletion.deleteProduct(obsolete.ID(), &obsolete);
        } else {
            obsolete.edit();
            obsolete.setAttivo(false);
            obsolete.setModificato(true);
            obsolete.update();
        }
        ++result.obsolete;
    }
    m_deletedFiles = deletion.takeFiles();
}

QList<QPair<QString, QString>> ProductImport::activeLanguages(Database &db)
{
    QList<QPair<QString, QString>> out;
    const QList<QVariantList> rows =
        db.queryRows(QStringLiteral("SELECT Codice, Descrizione FROM Lingue WHERE Attivo=TRUE ORDER BY Descrizione"));
    for (const QVariantList &r : rows)
        out.append({r.value(0).toString(), r.value(1).toString()});
    return out;
}

QString ProductImport::defaultLanguage(Database &db)
{
    const QString configured = db.scalar(QStringLiteral(
        "SELECT Codice FROM Lingue WHERE Attivo=TRUE AND ID IN (SELECT IDLinguaPredefinita FROM Configurazione)")).toString();
    if (!configured.isEmpty())
        return configured;
    const auto languages = activeLanguages(db);
    return languages.isEmpty() ? QString() : languages.first().first;
}

QStringList ProductImport::resultTexts(const Result &result)
{
    QStringList texts;
    switch (result.outcome) {
    case Outcome::Success:
        return {SuccessText};
    case Outcome::LineError:
        texts << lineErrorText(result.line).trimmed();
        if (!result.detail.isEmpty())
            texts << result.detail;
        break;
    case Outcome::CategoryError:
        texts << categoryErrorText(result.line).trimmed();
        break;
    case Outcome::FileError:
    case Outcome::DataFailure:
        texts << result.detail;
        break;
    case Outcome::Cancelled:
        break;
    }
    texts << FailureText;
    return texts;
}

void ProductImport::tellResult(const Result &result)
{
    using Icon = UiPort::Icon;
    switch (result.outcome) {
    case Outcome::Success:
        ui().tell(ResultTitle, SuccessText, Icon::Information);
        return;
    case Outcome::LineError:
        ui().tell(ResultTitle, lineErrorText(result.line) + result.detail, Icon::Stop);
        break;
    case Outcome::CategoryError:
        ui().tell(ResultTitle, categoryErrorText(result.line), Icon::Stop);
        break;
    case Outcome::FileError:
    case Outcome::DataFailure:
        ui().tell(ResultTitle, result.detail, Icon::Stop);
        break;
    case Outcome::Cancelled:
        break;
    }
    ui().tell(ResultTitle, FailureText, Icon::Exclamation);
}

ImportPreview ImportPreview::build(const QString &path, QChar separator, const QVector<int> &codes)
{
    ImportPreview preview;
    preview.header = importHeaderText(codes);
    ImportTextFile file;
    if (!file.read(path)) {
        preview.fileError = true;
        return preview;
    }
    const int n = qMin(kLines, file.lineCount());
    for (int i = 0; i < n; ++i) {
        ImportedProduct p;
        if (!parseImportLine(file.lines().at(i), separator, codes, p, &preview.error)) {
            preview.formatError = true;
            preview.errorLine = i + 1;
            break;
        }
        QStringList row;
        for (int code : codes)
            row << p.displayText(code);
        preview.rows << row;
    }
    return preview;
}

QString ImportPreview::formatErrorText() const
{
    return FormatErrorText + QStringLiteral("\n\nLinea %1. %2").arg(errorLine).arg(error.text());
}

#include "LanguageTable.h"

#include "data/DeletedRecords.h"
#include "data/Database.h"
#include "data/NextId.h"
#include "data/Recordset.h"
#include "data/SqlQuote.h"
#include "support/UiPort.h"
#include "support/ValidationTexts.h"

#include <QDir>

namespace {

int currencyOf(const GridRow &row)
{
    // A language always has a currency: nothing chosen means the Euro.
    const int v = row.cell(LanguageTable::Valuta).isNull() ? -1 : row.cell(LanguageTable::Valuta).toInt();
    return v > 0 ? v : 1;
}

void copyFields(Recordset &set, const GridRow &row)
{
    set.setValue(QStringLiteral("Attivo"), row.cell(LanguageTable::Attivo).toBool());
    set.setValue(QStringLiteral("Codice"), row.text(LanguageTable::Codice));
    set.setValue(QStringLiteral("Descrizione"), row.text(LanguageTable::Descrizione));
    set.setValue(QStringLiteral("IDValuta"), currencyOf(row));
    set.setValue(QStringLiteral("Euro"), row.cell(LanguageTable::Euro).toBool());
    set.setValue(QStringLiteral("Modificato"), true);
}

} // namespace

QList<GridRow> LanguageTable::load() const
{
    QList<GridRow> out;
    Recordset set(database());
    set.open(QStringLiteral("Lingue"));
    for (; !set.isEOF(); set.moveNext()) {
        GridRow row;
        row.id = set.intValue(QStringLiteral("ID"));
        row.cells = {QVariant(), set.boolValue(QStringLiteral("Attivo")),
                     set.textValue(QStringLiteral("Codice")), set.textValue(QStringLiteral("Descrizione")),
                     set.intValue(QStringLiteral("IDValuta")), set.boolValue(QStringLiteral("Euro"))};
        out.append(row);
    }
    return out;
}

GridRow LanguageTable::blankRow() const
{
    return GridRow{0, {QVariant(), false, QString(), QString(), 1, false}};
}

bool LanguageTable::isBlank(const GridRow &row) const
{
    return row.text(Codice).isEmpty() && row.text(Descrizione).isEmpty();
}

bool LanguageTable::differs(const GridRow &row) const
{
    if (row.id <= 0)
        return !isBlank(row);
    Recordset set(database());
    set.setFilter(QStringLiteral("ID=%1").arg(row.id));
    set.open(QStringLiteral("Lingue"));
    if (set.isEOF())
        return true;
    return set.boolValue(QStringLiteral("Attivo")) != row.cell(Attivo).toBool()
        || set.textValue(QStringLiteral("Codice")) != row.text(Codice)
        || set.textValue(QStringLiteral("Descrizione")) != row.text(Descrizione)
        || set.intValue(QStringLiteral("IDValuta")) != currencyOf(row)
        || set.boolValue(QStringLiteral("Euro")) != row.cell(Euro).toBool();
}

int LanguageTable::missingMandatory(const GridRow &row) const
{
    if (row.text(Codice).trimmed().isEmpty())
        return Codice;
    if (row.text(Descrizione).trimmed().isEmpty())
        return Descrizione;
    return -1;
}

QString LanguageTable::codeChangeText(const QString &from, const QString &to)
{
    return QStringLiteral("Il codice della lingua cambia da \"%1\" a \"%2\": tutti i testi, le righe e "
                          "i riferimenti in questa lingua passano al nuovo codice.\n\nConfermi ?")
        .arg(from, to);
}

int LanguageTable::defaultLanguageId() const
{
    return database().scalar(QStringLiteral("SELECT IDLinguaPredefinita FROM Configurazione")).toInt();
}

QString LanguageTable::storedCode(int id) const
{
    return database().scalar(QStringLiteral("SELECT Codice FROM Lingue WHERE ID=%1").arg(id)).toString();
}

int LanguageTable::checkRow(const GridRow &row) const
{
    // The code names the language rows of every multilingual table: it
    // must stay unique, for a changed row as for a new one.
    QString where = QStringLiteral("Codice=%1").arg(sqlQuote(row.text(Codice)));
    if (row.id > 0)
        where += QStringLiteral(" AND ID<>%1").arg(row.id);
    if (!database().scalar(QStringLiteral("SELECT ID FROM Lingue WHERE %1").arg(where)).isNull()) {
        ui().tell(ValidationTexts::Title, ValidationTexts::DuplicateCode,
                  UiPort::Icon::Stop);
        return Codice;
    }
    if (row.id <= 0)
        return -1;
    if (row.id == defaultLanguageId() && !row.cell(Attivo).toBool()) {
        ui().tell(QStringLiteral("Validazione campi"), DefaultNotDeactivatedText, UiPort::Icon::Stop);
        return Attivo;
    }
    const QString from = storedCode(row.id);
    if (!from.isEmpty() && from != row.text(Codice)
        && !ui().ask(CodeChangeTitle, codeChangeText(from, row.text(Codice))))
        return Codice;
    return -1;
}

bool LanguageTable::mayDelete(int id) const
{
    if (id == defaultLanguageId()) {
        ui().tell(deleteTitle(), DefaultNotDeletedText, UiPort::Icon::Exclamation);
        return false;
    }
    return true;
}

int LanguageTable::renameLanguageRows(const QString &from, const QString &to)
{
    int changed = 0;
    for (const QString &table : database().tableNames()) {
        bool coded = false;
        bool flagged = false;
        for (const ColumnInfo &c : database().columns(table)) {
            coded = coded || c.name.compare(QLatin1String("CodiceLingua"), Qt::CaseInsensitive) == 0;
            flagged = flagged || c.name.compare(QLatin1String("Modificato"), Qt::CaseInsensitive) == 0;
        }
        if (!coded)
            continue;
        changed += database().execute(QStringLiteral("UPDATE [%1] SET CodiceLingua=%2%3 WHERE CodiceLingua=%4")
                                          .arg(table, sqlQuote(to),
                                               flagged ? QStringLiteral(", Modificato=TRUE") : QString(),
                                               sqlQuote(from)));
    }
    return changed;
}

void LanguageTable::insertRow(GridRow &row)
{
    Recordset set(database());
    set.setFilter(QStringLiteral("ID=0"));
    set.open(QStringLiteral("Lingue"));
    const int id = nextId(database(), QStringLiteral("Lingue"));
    set.addNew();
    set.setValue(QStringLiteral("ID"), id);
    copyFields(set, row);
    set.update();
    row.id = id;
}

void LanguageTable::updateRow(const GridRow &row)
{
    Transaction tx(database());
    Recordset set(database());
    set.setFilter(QStringLiteral("ID=%1").arg(row.id));
    set.open(QStringLiteral("Lingue"));
    if (set.isEOF())
        return;
    const QString from = set.textValue(QStringLiteral("Codice"));
    set.edit();
    copyFields(set, row);
    set.update();
    set.close();
    const bool codeChanged = !from.isEmpty() && from != row.text(Codice);
    if (codeChanged)
        renameLanguageRows(from, row.text(Codice));
    tx.commit();
    if (codeChanged)
        renameImageFolders(from, row.text(Codice));
}

void LanguageTable::renameImageFolders(const QString &from, const QString &to) const
{
    if (m_projectFolder.isEmpty())
        return;
    const QDir images(QDir(m_projectFolder).filePath(QStringLiteral("website/images")));
    for (const QString &kind : images.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QDir folder(images.filePath(kind));
        if (folder.exists(from) && !folder.exists(to))
            folder.rename(from, to);
    }
}

void LanguageTable::remove(int id)
{
    Transaction tx(database());
    if (database().execute(QStringLiteral("DELETE FROM Lingue WHERE ID=%1").arg(id)) > 0)
        logDeletedRecord(database(), QStringLiteral("Lingue"), id);
    tx.commit();
}

QList<QPair<QString, int>> LanguageTable::currencies() const
{
    QList<QPair<QString, int>> out;
    for (const QVariantList &r : database().queryRows(QStringLiteral("SELECT Nome, ID FROM Valute ORDER BY ID")))
        out.append({r.value(0).toString(), r.value(1).toInt()});
    return out;
}

bool LanguageTable::anyActive() const
{
    return !database().scalar(QStringLiteral("SELECT ID FROM Lingue WHERE Attivo=TRUE")).isNull();
}

#include "catalogue/import/ImportFields.h"

#include "support/UiPort.h"

#include <QDate>
#include <QRegularExpression>

namespace {

using Check = ImportFieldInfo::Check;

const QVector<ImportFieldInfo> kFields = {
    {FieldCategoria, "ID Categoria", "Cat.", Check::Integer, -1, "categoria"},
    {FieldCodice, "Codice", "Codice", Check::Text, 20, "codice"},
    {FieldNome, "Nome", "Nome", Check::Text, 255, "nome"},
    {FieldDescrizioneBreve, "Descrizione breve", "Descrizione breve", Check::Text, -1, "descrizione-breve"},
    {FieldPrezzo1, "Prezzo 1", "Prezzo 1", Check::Number, 10, "prezzo1"},
    {FieldIVA, "Aliquota IVA", "IVA", Check::Number, 5, "iva"},
    {FieldCodiceABarre, "Codice a barre", "Codice a barre", Check::Text, 13, "codice-barre"},
    {FieldDescrizioneFattura, "Descrizione fattura", "Descrizione fattura", Check::Text, -1, "descrizione-fattura"},
    {FieldDescrizioneEstesa, "Descrizione estesa", "Descrizione estesa", Check::Text, -1, "descrizione-estesa"},
    {FieldAttivo, "Flag Attivo", "Att.", Check::Flag, -1, "attivo"},
    {FieldNovita, "Flag Novità", "Nov.", Check::Flag, -1, "novita"},
    {FieldPrezzo2, "Prezzo 2", "Prezzo 2", Check::Number, 10, "prezzo2"},
    {FieldPrezzo3, "Prezzo 3", "Prezzo 3", Check::Number, 10, "prezzo3"},
    {FieldPrezzo4, "Prezzo 4", "Prezzo 4", Check::Number, 10, "prezzo4"},
    {FieldPeso, "Peso", "Peso", Check::Number, 7, "peso"},
    {FieldUnitaMisura, "Unità di misura", "UM", Check::Text, 10, "um"},
    {FieldDisponibilita, "Disponibilità", "Disp.", Check::Number, 5, "disponibilita"},
    {FieldOfferta, "Flag Offerta", "Off.", Check::Flag, -1, "offerta"},
    {FieldValiditaDal, "Data Inizio Offerta", "Validità dal", Check::Date, 10, "inizio-offerta"},
    {FieldValiditaAl, "Data Fine Offerta", "Validita al", Check::Date, 10, "fine-offerta"},
    {FieldSconto, "Sconto Offerta", "Sconto", Check::Number, 5, "sconto"},
    {FieldPrezzoPromozionale, "Prezzo Promozionale Offerta", "Prezzo Off.", Check::Number, 10, "prezzo-promozionale"},
};

// Digits and at most one point, not empty, not the point alone.
bool parseNumber(const QString &text, double &value)
{
    int points = 0;
    int digits = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('.'))
            ++points;
        else if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            ++digits;
        else
            return false;
    }
    if (digits == 0 || points > 1)
        return false;
    bool ok = false;
    value = text.toDouble(&ok);
    return ok;
}

bool allDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// dd/mm/yyyy at midnight.
bool parseDate(const QString &text, QDateTime &value)
{
    if (text.size() != 10)
        return false;
    const QStringView v(text);
    if (!allDigits(v.mid(0, 2)) || !allDigits(v.mid(3, 2)) || !allDigits(v.mid(6, 4)))
        return false;
    const QDate date(v.mid(6, 4).toInt(), v.mid(3, 2).toInt(), v.mid(0, 2).toInt());
    if (!date.isValid())
        return false;
    value = QDateTime(date, QTime(0, 0));
    return true;
}

QString numberText(double v)
{
    return QString::number(v, 'f', 2).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

} // namespace

const QVector<ImportFieldInfo> &importFields()
{
    return kFields;
}

const ImportFieldInfo &importFieldByCode(int code)
{
    for (const ImportFieldInfo &f : kFields) {
        if (f.code == code)
            return f;
    }
    return kFields.first();
}

int importFieldCodeByName(const QString &name)
{
    for (const ImportFieldInfo &f : kFields) {
        if (name.compare(QLatin1String(f.cliName), Qt::CaseInsensitive) == 0)
            return f.code;
    }
    bool ok = false;
    const int code = name.toInt(&ok);
    return ok && code >= 0 && code < ImportFieldCount ? code : -1;
}

QVector<int> defaultImportCodes()
{
    QVector<int> codes;
    for (int i = 0; i < 6; ++i)
        codes << kFields.at(i).code;
    return codes;
}

bool isMandatoryImportField(int code)
{
    return code == FieldCategoria || code == FieldCodice || code == FieldNome
        || code == FieldPrezzo1 || code == FieldIVA;
}

bool isDescriptionImportField(int code)
{
    return code == FieldDescrizioneFattura || code == FieldDescrizioneBreve
        || code == FieldDescrizioneEstesa;
}

QString importHeaderText(const QVector<int> &codes)
{
    QString header;
    for (int code : codes)
        header += QString::fromUtf8(importFieldByCode(code).header) + QLatin1Char('\t');
    return header;
}

QString ImportedProduct::displayText(int code) const
{
    auto date = [](const QDateTime &d) {
        if (!d.isValid())
            return QString();
        return QString::asprintf("%02d/%02d/%04d", d.date().day(), d.date().month(), d.date().year());
    };
    switch (code) {
    case FieldCategoria: return QString::number(categoria);
    case FieldCodice: return codice;
    case FieldNome: return nome;
    case FieldDescrizioneFattura: return descrizioneFattura;
    case FieldDescrizioneBreve: return descrizioneBreve;
    case FieldDescrizioneEstesa: return descrizioneEstesa;
    case FieldUnitaMisura: return unitaMisura;
    case FieldCodiceABarre: return codiceABarre;
    case FieldDisponibilita: return numberText(disponibilita);
    case FieldPrezzo1:
    case FieldPrezzo2:
    case FieldPrezzo3:
    case FieldPrezzo4: return QString::number(prezzo[code - FieldPrezzo1], 'f', 2);
    case FieldIVA: return numberText(iva);
    case FieldPeso: return numberText(peso);
    case FieldAttivo: return attivo ? QStringLiteral("1") : QStringLiteral("0");
    case FieldNovita: return novita ? QStringLiteral("1") : QStringLiteral("0");
    case FieldOfferta: return offerta ? QStringLiteral("1") : QStringLiteral("0");
    case FieldValiditaDal: return date(validitaDal);
    case FieldValiditaAl: return date(validitaAl);
    case FieldSconto: return numberText(sconto);
    case FieldPrezzoPromozionale: return QString::number(prezzoPromozionale, 'f', 2);
    default: return QString();
    }
}

QString ImportLineError::text() const
{
    const QString field = QStringLiteral("Campo %1 (\"%2\")")
                              .arg(position)
                              .arg(QString::fromUtf8(importFieldByCode(code).listName));
    switch (reason) {
    case Reason::MissingSeparator:
        return QStringLiteral("%1: manca il separatore \"%2\" che chiude il campo.").arg(field, QString(separator));
    case Reason::TooLong:
        return QStringLiteral("%1: il valore \"%2\" supera i %3 caratteri.")
            .arg(field, value)
            .arg(importFieldByCode(code).maxLength);
    case Reason::NotANumber:
        return QStringLiteral("%1: \"%2\" non è un numero valido (solo cifre e un punto decimale).").arg(field, value);
    case Reason::NotAnInteger:
        return QStringLiteral("%1: \"%2\" non è un numero intero valido.").arg(field, value);
    case Reason::BadDate:
        return QStringLiteral("%1: \"%2\" non è una data valida (gg/mm/aaaa).").arg(field, value);
    case Reason::None:
        break;
    }
    return QString();
}

bool parseImportLine(const QString &line, QChar separator, const QVector<int> &codes,
                     ImportedProduct &out, ImportLineError *error)
{
    out = ImportedProduct();
    qsizetype pos = 0;
    int position = 0;
    QString value;
    auto fail = [&](int code, ImportLineError::Reason reason) {
        if (error)
            *error = ImportLineError{reason, code, position, value, separator};
        return false;
    };
    for (int code : codes) {
        ++position;
        const qsizetype end = line.indexOf(separator, pos);
        if (end < 0) {
            value = line.mid(pos).trimmed();
            return fail(code, ImportLineError::Reason::MissingSeparator);
        }
        value = line.mid(pos, end - pos).trimmed();
        pos = end + 1;
        if (value.isEmpty())
            continue;
        const ImportFieldInfo &f = importFieldByCode(code);
        if (f.maxLength >= 0 && value.size() > f.maxLength)
            return fail(code, f.check == Check::Date ? ImportLineError::Reason::BadDate
                                                     : ImportLineError::Reason::TooLong);
        double number = 0;
        switch (f.check) {
        case Check::Text:
            break;
        case Check::Integer:
            if (!allDigits(value) || value.size() > 9)
                return fail(code, ImportLineError::Reason::NotAnInteger);
            number = value.toInt();
            break;
        case Check::Number:
        case Check::Flag:
            if (!parseNumber(value, number))
                return fail(code, ImportLineError::Reason::NotANumber);
            break;
        case Check::Date:
            break;
        }
        switch (code) {
        case FieldCategoria: out.categoria = int(number); break;
        case FieldCodice: out.codice = value; break;
        case FieldNome: out.nome = value; break;
        case FieldDescrizioneFattura: out.descrizioneFattura = value; break;
        case FieldDescrizioneBreve: out.descrizioneBreve = value; break;
        case FieldDescrizioneEstesa: out.descrizioneEstesa = value; break;
        case FieldUnitaMisura: out.unitaMisura = value; break;
        case FieldCodiceABarre: out.codiceABarre = value; break;
        case FieldDisponibilita: out.disponibilita = number; break;
        case FieldPrezzo1:
        case FieldPrezzo2:
        case FieldPrezzo3:
        case FieldPrezzo4: out.prezzo[code - FieldPrezzo1] = number; break;
        case FieldIVA: out.iva = number; break;
        case FieldPeso: out.peso = number; break;
        case FieldAttivo: out.attivo = number > 0; break;
        case FieldNovita: out.novita = number > 0; break;
        case FieldOfferta: out.offerta = number > 0; break;
        case FieldValiditaDal:
            if (!parseDate(value, out.validitaDal))
                return fail(code, ImportLineError::Reason::BadDate);
            break;
        case FieldValiditaAl:
            if (!parseDate(value, out.validitaAl))
                return fail(code, ImportLineError::Reason::BadDate);
            break;
        case FieldSconto: out.sconto = number; break;
        case FieldPrezzoPromozionale: out.prezzoPromozionale = number; break;
        default: return false;
        }
    }
    return true;
}

// --- field list ---------------------------------------------------------------

QString ImportFieldList::mandatoryText(const QString &fieldName)
{
    return QStringLiteral("Il campo ") + fieldName + QStringLiteral(" deve essere necessariamente importato!");
}

ImportFieldList::ImportFieldList()
{
    for (int i = 0; i < kFields.size(); ++i)
        m_entries.append({kFields.at(i).code, i < 6});
}

QString ImportFieldList::nameAt(int row) const
{
    return QString::fromUtf8(importFieldByCode(codeAt(row)).listName);
}

ImportFieldList::Toggle ImportFieldList::setChecked(int row, bool checked)
{
    Entry &e = m_entries[row];
    if (checked || !e.checked) {
        e.checked = checked;
        return Toggle::Done;
    }
    if (isMandatoryImportField(e.code))
        return Toggle::RefusedMandatory;
    if (isDescriptionImportField(e.code)) {
        int ticked = 0;
        for (const Entry &o : m_entries) {
            if (o.checked && isDescriptionImportField(o.code))
                ++ticked;
        }
        if (ticked <= 1)
            return Toggle::RefusedLastDescription;
    }
    e.checked = false;
    return Toggle::Done;
}

void ImportFieldList::tellRefusal(Toggle result, const QString &fieldName)
{
    if (result == Toggle::RefusedMandatory)
        ui().tell(SelectionTitle, mandatoryText(fieldName), UiPort::Icon::Stop);
    else if (result == Toggle::RefusedLastDescription)
        ui().tell(SelectionTitle, LastDescriptionText, UiPort::Icon::Stop);
}

int ImportFieldList::moveUp(int row)
{
    if (!canMoveUp(row))
        return row;
    m_entries.swapItemsAt(row, row - 1);
    return row - 1;
}

int ImportFieldList::moveDown(int row)
{
    if (!canMoveDown(row))
        return row;
    m_entries.swapItemsAt(row, row + 1);
    return row + 1;
}

QVector<int> ImportFieldList::codes() const
{
    QVector<int> out;
    for (const Entry &e : m_entries) {
        if (e.checked)
            out << e.code;
    }
    return out;
}

#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

// The fields a product import file may hold, with the code the line parser
// uses for each. Codes are fixed: saved field sequences and the automatic
// import rely on them.
enum ImportFieldCode {
    FieldCategoria = 0,
    FieldCodice = 1,
    FieldNome = 2,
    FieldDescrizioneFattura = 3,
    FieldDescrizioneBreve = 4,
    FieldDescrizioneEstesa = 5,
    FieldUnitaMisura = 6,
    FieldCodiceABarre = 7,
    FieldDisponibilita = 8,
    FieldPrezzo1 = 9,
    FieldPrezzo2 = 10,
    FieldPrezzo3 = 11,
    FieldPrezzo4 = 12,
    FieldIVA = 13,
    FieldPeso = 14,
    FieldAttivo = 15,
    FieldNovita = 16,
    FieldOfferta = 17,
    FieldValiditaDal = 18,
    FieldValiditaAl = 19,
    FieldSconto = 20,
    FieldPrezzoPromozionale = 21,
    ImportFieldCount = 22
};

struct ImportFieldInfo {
    enum class Check { Text, Number, Integer, Flag, Date };
    int code;
    const char *listName;  // as the field list shows it
    const char *header;    // preview column caption
    Check check;
    int maxLength;         // -1: no limit
    const char *cliName;   // name used on the command line
};

// The 22 fields in the order the dialog lists them at first.
const QVector<ImportFieldInfo> &importFields();
const ImportFieldInfo &importFieldByCode(int code);
// The field of a command-line name (case-insensitive), or -1.
int importFieldCodeByName(const QString &name);
// The six fields ticked when the dialog opens, in list order.
QVector<int> defaultImportCodes();
bool isMandatoryImportField(int code);
bool isDescriptionImportField(int code);
// Preview grid header: every caption followed by a tab.
QString importHeaderText(const QVector<int> &codes);

// The values of one line. Fields absent from the file keep these defaults.
struct ImportedProduct {
    int categoria = 0;
    QString codice;
    QString nome;
    QString descrizioneFattura;
    QString descrizioneBreve;
    QString descrizioneEstesa;
    QString unitaMisura;
    QString codiceABarre;
    double disponibilita = 0;
    double prezzo[4] = {0, 0, 0, 0};
    double iva = 0;
    double peso = 0;
    bool attivo = true;
    bool novita = false;
    bool offerta = false;
    QDateTime validitaDal; // invalid = Null
    QDateTime validitaAl;
    double sconto = 0;
    double prezzoPromozionale = 0;
    // The parsed value of a field as the preview shows it.
    QString displayText(int code) const;
};

// Why a line did not parse: which field, where, and what was wrong.
struct ImportLineError {
    enum class Reason { None, MissingSeparator, TooLong, NotANumber, NotAnInteger, BadDate };
    Reason reason = Reason::None;
    int code = -1;       // the field
    int position = 0;    // its place in the line, from 1
    QString value;       // the value found (trimmed)
    QChar separator;
    // For the user, e.g. Campo 5 ("Prezzo 1"): "9,50" non è un numero ...
    QString text() const;
};

// Parses one line: every ticked field (codes, in order) is followed by the
// separator; values are trimmed; an empty value keeps the default. Returns
// false when the line has fewer separators than fields or a value fails its
// check (numbers: only digits and one point, no sign; texts: their length;
// dates: dd/mm/yyyy making a real date); error, when given, then says which
// field failed and why.
bool parseImportLine(const QString &line, QChar separator, const QVector<int> &codes,
                     ImportedProduct &out, ImportLineError *error = nullptr);

// The check list of the import dialog: the entries with their ticks and
// order, and the rules of unticking and moving.
class ImportFieldList {
public:
    enum class Toggle { Done, RefusedMandatory, RefusedLastDescription };

    static inline const QString SelectionTitle = QStringLiteral("Selezione campi");
    static inline const QString LastDescriptionText =
        QStringLiteral("E' necessario importare almeno una descrizione!");
    static QString mandatoryText(const QString &fieldName);

    ImportFieldList();

    int count() const { return int(m_entries.size()); }
    int codeAt(int row) const { return m_entries.at(row).code; }
    QString nameAt(int row) const;
    bool isChecked(int row) const { return m_entries.at(row).checked; }

    // Ticks or unticks the entry; a refused untick leaves it ticked.
    Toggle setChecked(int row, bool checked);
    // Shows the refusal (title "Selezione campi", stop icon) through the UI port.
    static void tellRefusal(Toggle result, const QString &fieldName);

    bool canMoveUp(int row) const { return row > 0 && row < count(); }
    bool canMoveDown(int row) const { return row >= 0 && row < count() - 1; }
    // Returns the entry's new row.
    int moveUp(int row);
    int moveDown(int row);

    // The field codes of the ticked entries in list order.
    QVector<int> codes() const;

private:
    struct Entry {
        int code;
        bool checked;
    };
    QList<Entry> m_entries;
};

#pragma once

#include "records/GridRecords.h"

#include <QString>

// The languages of the site (table Lingue) as the languages grid edits
// them: columns 1 "Attivo", 2 "Codice", 3 "Descrizione", 4 "Valuta"
// (currency ID), 5 "Euro".
//
// The configured default language can be neither deleted nor deactivated.
// A language's code names its rows in every multilingual table: changing
// it is asked first, and then every row with the old code takes the new
// one, in the same transaction as the language itself.
class LanguageTable : public GridRecords {
public:
    enum Column { Attivo = 1, Codice = 2, Descrizione = 3, Valuta = 4, Euro = 5, ColumnCount = 6 };

    static inline const QString Header = QStringLiteral("\tAttivo\tCodice\tDescrizione\tValuta\tEuro\t");
    static inline const QString DefaultNotDeletedText =
        QStringLiteral("La lingua predefinita del sito non si può cancellare.");
    static inline const QString DefaultNotDeactivatedText =
        QStringLiteral("La lingua predefinita del sito non si può disattivare.");
    static inline const QString CodeChangeTitle = QStringLiteral("Modifica codice lingua");
    static QString codeChangeText(const QString &from, const QString &to);

    // projectFolder: where the images kept per language code live
    // (website/images/<kind>/<code>); empty: no folders to follow a change.
    explicit LanguageTable(Database &db, QString projectFolder = {})
        : GridRecords(db), m_projectFolder(std::move(projectFolder)) {}

    QString title() const override { return QStringLiteral("Lingue"); }
    int columnCount() const override { return ColumnCount; }
    QList<GridRow> load() const override;
    GridRow blankRow() const override;
    bool isBlank(const GridRow &row) const override;
    bool differs(const GridRow &row) const override;
    QString deleteTitle() const override { return QStringLiteral("Cancellazione lingua"); }
    bool mayDelete(int id) const override;
    void remove(int id) override;

    // Currencies for the drop-down: name and ID, in table order.
    QList<QPair<QString, int>> currencies() const;
    // Whether at least one language is active.
    bool anyActive() const;

protected:
    int missingMandatory(const GridRow &row) const override;
    int checkRow(const GridRow &row) const override;
    void insertRow(GridRow &row) override;
    void updateRow(const GridRow &row) override;

private:
    // The ID of the configured default language (0 when none).
    int defaultLanguageId() const;
    QString storedCode(int id) const;
    // Gives every language row coded from the code to, in every table that
    // has a language code column; returns the rows changed.
    int renameLanguageRows(const QString &from, const QString &to);
    // Renames website/images/<kind>/<from> to <to> where no <to> exists.
    void renameImageFolders(const QString &from, const QString &to) const;

    QString m_projectFolder;
};

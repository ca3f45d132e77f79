#pragma once

#include "catalogue/ProductDeletion.h"
#include "catalogue/import/ImportFields.h"

#include <QChar>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class Database;

// What to import and how.
struct ImportOptions {
    enum class Obsolete { Keep = -1, Delete = 0, Deactivate = 1 };

    QString file;
    QChar separator = QLatin1Char(';');
    QVector<int> codes = defaultImportCodes();
    QString language;                  // CodiceLingua of the texts and prices
    Obsolete obsolete = Obsolete::Keep;
};

// How a run reports its progress and lets the user stop it. Every member is
// optional. pump is called before each line (and each obsolete product):
// the window build processes pending events there, so that "Annulla" can
// call ProductImport::requestCancel().
struct ImportProgress {
    std::function<void(const QString &text)> status;
    std::function<void(int maximum)> range;
    std::function<void(int position)> position;
    std::function<void()> pump;
};

// The import of products from a delimited text file into a project.
//
// The whole run works on db/tempdb-<unique>.mdb, a copy of the project database made
// when it starts: every line is written there, and only when every line has
// succeeded (and the obsolete products have been handled) does the copy
// replace db/database.mdb, in one crash-safe rename. A failing line, an
// unknown category, a cancellation or a database failure discards the copy,
// so the project database stays exactly as it was.
//
// Per line: the category must exist; the product is found by its code (a new
// one gets the next ID and Ordine = ID); its language row in the import
// language is edited or added (other languages are left alone); its first
// category link is pointed at the category (or one is added). Fields not in
// the file take their defaults. General and language rows get their
// modified flags. Products whose modified flag is still false afterwards are
// the ones the file no longer holds: they can be deleted (each deleted row,
// variants included, goes to the deleted-records log) or deactivated. A
// base product is left alone while one of its variants is not obsolete.
//
// No windows are involved: messages are given by tellResult().
class ProductImport {
public:
    enum class Outcome { Success, LineError, CategoryError, Cancelled, FileError, DataFailure };
    struct Result {
        Outcome outcome = Outcome::Success;
        int line = 0;          // 1-based line of a line or category error
        int lines = 0;         // lines of the file
        int added = 0;         // products created
        int updated = 0;       // products changed
        int obsolete = 0;      // products deleted or deactivated
        int keptBases = 0;     // absent base products kept for a variant that stays
        QString detail;        // the field of a line error, a file or database failure, for the user
        bool ok() const { return outcome == Outcome::Success; }
    };

    static inline const QString ResultTitle = QStringLiteral("Import dati");
    static inline const QString SuccessText = QStringLiteral("Operazione effettuata con successo.");
    static inline const QString FailureText = QStringLiteral(
        "Operazione non completata.\nATTENZIONE: l'archivio è stato ripristinato allo stato precedente.");
    static inline const QString ObsoleteStatusText = QStringLiteral("Gestione prodotti obsoleti in corso...");
    static QString lineErrorText(int line);
    static QString categoryErrorText(int line);
    static QString lineStatusText(int line, int count);
    static QString fileErrorText(const QString &file, const QString &reason);
    static QString dataErrorText(const QString &reason);

    // projectFolder: the project's folder (with or without a trailing
    // separator).
    ProductImport(const QString &projectFolder, ImportOptions options);

    // The application's connection on db/database.mdb, if one is open: it
    // is closed while the copy is taken and while the copy is swapped in,
    // and reopened afterwards.
    void setLiveDatabase(Database *db) { m_live = db; }
    void setProgress(ImportProgress progress) { m_progress = std::move(progress); }
    const ImportOptions &options() const { return m_options; }

    // Asks a running import to stop before its next line.
    void requestCancel() { m_cancel = true; }
    bool isRunning() const { return m_running; }

    Result run();

    // The languages an import can write: the active ones, as (code, text),
    // sorted by text; and the configuration's default language code (the
    // first active language when the configuration names none).
    static QList<QPair<QString, QString>> activeLanguages(Database &db);
    static QString defaultLanguage(Database &db);

    // The messages of a finished run through the UI port: the line error
    // (with the field that failed) or category error, then the failure
    // text; or the success text.
    static void tellResult(const Result &result);
    // The same texts as lines for a terminal (no trailing newlines).
    static QStringList resultTexts(const Result &result);

private:
    void importLines(Database &db, const QStringList &lines, Result &result);
    void handleObsolete(Database &db, Result &result);
    bool cancelled();
    void status(const QString &text);

    QString m_project;
    ImportOptions m_options;
    Database *m_live = nullptr;
    ImportProgress m_progress;
    bool m_cancel = false;
    bool m_running = false;
    // Files of the products deleted as obsolete, removed once the import
    // has replaced the project database.
    ProductFileRemoval m_deletedFiles;
};

// The first lines of a file as the import would read them, for the dialog's
// preview grid.
struct ImportPreview {
    static constexpr int kLines = 5;
    QString header;                 // captions, each followed by a tab
    QVector<QStringList> rows;      // the parsed lines, one text per field
    bool formatError = false;       // a line among the first five did not parse
    int errorLine = 0;              // that line, from 1
    ImportLineError error;          // and its field
    bool fileError = false;         // the file could not be read

    static inline const QString FormatErrorText =
        QStringLiteral("Il file selezionato non rispetta il formato dei campi da importare.");

    static ImportPreview build(const QString &file, QChar separator, const QVector<int> &codes);
    // FormatErrorText followed by the line and the field that failed.
    QString formatErrorText() const;
};

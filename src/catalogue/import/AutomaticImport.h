#pragma once

#include "catalogue/import/ProductImport.h"

#include <QString>
#include <QStringList>

// The import of the external data a project's path.ini points at: every
// g*.txt file of that folder, in name order, read with the six default
// fields and ";" as separator into the default language. Each file is one
// ProductImport (its own copy of the database, swapped in when the file
// has gone through) and is then renamed to end in ".ok", so it is not
// imported again. A failing or cancelled file stops the run: the database
// is as it was before that file, that file and the later ones keep their
// names.
class AutomaticImport {
public:
    static inline const QString DoneSuffix = QStringLiteral(".ok");
    static inline const QString NothingText = QStringLiteral("Nessun file da importare nella cartella dei dati esterni.");
    static QString renameFailedText(const QString &file);

    struct Result {
        QStringList imported;            // files imported and renamed
        QString failedFile;              // the file that stopped the run
        ProductImport::Result last;      // the outcome of that file (or of the last one)
        QString detail;                  // a failure outside the import itself
        bool ok() const { return failedFile.isEmpty() && detail.isEmpty(); }
    };

    AutomaticImport(const QString &projectFolder, const QString &externalFolder);

    // The g*.txt files of the folder in name order (letter case ignored).
    static QStringList pendingFiles(const QString &folder);

    // status gets the file name in front of the engine's texts.
    void setProgress(ImportProgress progress) { m_progress = std::move(progress); }
    void requestCancel();
    bool isRunning() const { return m_running; }

    Result run();

    // The closing message through the UI port.
    static void tellResult(const Result &result);

private:
    QString m_project;
    QString m_folder;
    ImportProgress m_progress;
    ProductImport *m_current = nullptr;
    bool m_cancel = false;
    bool m_running = false;
};

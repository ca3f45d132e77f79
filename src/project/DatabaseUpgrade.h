#pragma once

#include "project/ProgramFolder.h"
#include "project/ProjectFolder.h"

#include <QString>
#include <QStringList>

#include <functional>

class Database;

// Brings a project database made by an older version to the current
// structure. A new database is made from the program folder's blank one
// (db/tempdb-<unique>.mdb in the project), every row of the old database is copied
// into it column by column, the data whose meaning changed between versions
// is converted, the reference dictionary entries and options the project
// lacks are added, VersioneDB becomes 50, and only then does the new file
// replace db/database.mdb, in one step that a crash cannot half-do. The old
// database is never written: a cancelled, failed or killed upgrade leaves
// it as it was, and that copy is removed at the end in every outcome.
//
// The work runs on the calling thread. The window that shows it plugs in
// the progress callbacks; pump is called at every row, which is where the
// window processes its events and where its "Annulla" button may call
// cancel(). The copy of the rows stops at the next row once cancelled.
class DatabaseUpgrade {
public:
    static constexpr int CurrentVersion = 50;

    static inline const QString Title = QStringLiteral("Aggiornamento progetto");
    static inline const QString TableLabel = QStringLiteral("Aggiornamento tabella");
    static inline const QString RecordLabel = QStringLiteral("Aggiornamento record");

    enum class Result { Done, Cancelled, Failed };

    struct Progress {
        std::function<void(const QString &)> tableLabel;
        std::function<void(int minimum, int maximum)> tableRange;
        std::function<void(int)> tablePosition;
        std::function<void(const QString &)> recordLabel;
        std::function<void(int minimum, int maximum)> recordRange;
        std::function<void(int)> recordPosition;
        // Called at every row; the window processes its pending events here.
        std::function<void()> pump;
        // Called as each of the four phases starts (1 copy, 2 conversion,
        // 3 reference data, 4 replacement).
        std::function<void(int phase)> phaseStarted;
    };

    // What the upgrade did, for the command line and the tests.
    struct Summary {
        int oldVersion = 0;
        int tablesCopied = 0;
        qint64 rowsCopied = 0;
        QStringList droppedTables;     // tables of the old database the new structure lacks
        int keywordRows = 0;
        int categoryLinks = 0;
        int articleLinks = 0;
        int ratesRounded = 0;
        int dictionaryEntries = 0;
        int dictionaryTexts = 0;
        int options = 0;
        QStringList notes;             // conversions skipped, and why
    };

    DatabaseUpgrade(const ProgramFolder &program, const ProjectFolder &project);

    void setProgress(const Progress &progress) { m_progress = progress; }
    Result run();

    // "Annulla": noticed by the copy at its next row.
    void cancel() { m_cancelled = true; }
    bool isCancelled() const { return m_cancelled; }

    const Summary &summary() const { return m_summary; }
    // The failure when run() returned Failed.
    QString errorText() const { return m_error; }

    // Exchange rates keep at most five decimal places: a rate with more is
    // rounded to the nearer step of 0.00001, a tie going to the lower step.
    // Works on the shortest decimal form of the number, so 1.234565 is a
    // tie (1.23456) although its binary value lies a little above it.
    static double roundRate(double rate);

private:
    void foldProjectJournal();
    void copyTables(Database &oldDb, Database &newDb);
    void convert(Database &oldDb, Database &newDb);
    void convertKeywords(Database &oldDb, Database &newDb);
    void linkProductCategories(Database &oldDb, Database &newDb);
    void linkArticleSections(Database &oldDb, Database &newDb);
    void roundRates(Database &newDb);
    void stampVersion(Database &newDb);
    void addDictionary(Database &blank, Database &newDb);
    void addOptions(Database &blank, Database &newDb);
    void removeTemporaryDatabase();

    void setTableLabel(const QString &text);
    void setRecordLabel(const QString &text);
    void setRecordRange(int minimum, int maximum);
    void setRecordPosition(int position);
    // Label, position and event pump for one row of a loop.
    void recordStep(const char *pattern, qint64 number, qint64 count);
    void pump();

    ProgramFolder m_program;
    ProjectFolder m_project;
    Progress m_progress;
    Summary m_summary;
    QString m_error;
    // The copy this run builds (a name of its own: db/tempdb-<unique>.mdb).
    QString m_temp;
    bool m_cancelled = false;
};

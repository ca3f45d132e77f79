#pragma once

#include "EditorContract.h"

#include <QString>
#include <QStringList>

#include <Qt>

class LanguageContext;

// The record set a navigation editor walks through. RecordsetCursor adapts
// the data layer's Recordset; tests may supply their own.
class RecordCursor {
public:
    virtual ~RecordCursor() = default;

    virtual bool isBOF() const = 0;
    virtual bool isEOF() const = 0;
    virtual void moveFirst() = 0;
    virtual void moveNext() = 0;
    virtual void movePrevious() = 0;
    virtual void moveLast() = 0;
    // 0-based position of the current row, -1 when there is none.
    virtual int absolutePosition() const = 0;

    virtual QString filter() const = 0;
    virtual void setFilter(const QString &filter) = 0;
    virtual void requery() = 0;

    // Makes the row with this ID current; false when it is not in the set.
    virtual bool seekId(qint32 id) = 0;
};

// The form side of a navigation editor: everything the pattern asks of the
// concrete editor (product, article, user, module, forum post ...).
class NavigationForm {
public:
    virtual ~NavigationForm() = default;

    // The form differs from the stored record.
    virtual bool formDiffers() = 0;
    // Validates and stores the displayed record; false when refused (the
    // editor has told the user and put the focus on the field).
    virtual bool saveRecord() = 0;
    // Shows the cursor's current record.
    virtual void displayRecord() = 0;
    virtual void blankForm() = 0;

    // Reserves the identifier of a new record (next-identifier rule).
    virtual qint32 reserveIdentifier() = 0;
    // Validates the form and adds the record with the reserved identifier.
    virtual bool insertRecord(qint32 reservedId) = 0;
    // Removes what was written for the reserved identifier of an abandoned
    // insert (links made while inserting).
    virtual void discardInsert(qint32 reservedId) = 0;
    // Deletes the current record with whatever belongs to it.
    virtual void deleteRecord() = 0;

    // Filter entry: three-state boxes go indeterminate and the controls
    // that cannot serve as criteria are disabled; leaving enables them.
    virtual void enterCriteriaMode() = 0;
    virtual void leaveCriteriaMode() = 0;
    // The criteria typed into the form, each a Jet SQL condition.
    virtual QStringList filterCriteria() = 0;

    // Called after every command so that the toolbar and the record
    // position are shown again.
    virtual void navigationStateChanged() {}
};

// Titles and texts that carry the editor's record noun.
struct NavigationTexts {
    QString insertTitle = QStringLiteral("Inserimento prodotto");
    QString deleteTitle = QStringLiteral("Cancellazione prodotto");
    QString deleteAllTitle = QStringLiteral("Cancellazione prodotti");
    QString emptyArchive = QStringLiteral("L'archivio prodotti ora è vuoto.");
    // Title of the window, used when a database failure is reported.
    QString title = QStringLiteral("Archivio Prodotti");
};

// The state machine every navigation editor shares: inserting flag, filter
// state, record count, reserved identifier, the toolbar enabling table and
// the commands' transitions. It holds no widgets.
class NavigationEditor {
public:
    enum FilterState { NoFilter = 0, EnteringCriteria = 1, FilterApplied = 2 };

    NavigationEditor(RecordCursor &cursor, NavigationForm &form,
                     LanguageContext *languages, NavigationTexts texts = {});

    // Applies the base filter, counts the records and shows the first one.
    void open(const QString &baseFilter);

    bool isInserting() const { return m_inserting; }
    FilterState filterState() const { return m_filterState; }
    int recordCount() const { return m_count; }
    qint32 reservedId() const { return m_reservedId; }
    QString baseFilter() const { return m_baseFilter; }
    const NavigationTexts &texts() const { return m_texts; }

    // "%d / %d": position of the current record (1-based) and count.
    QString positionText() const;

    // Whether the cursor is on the first / last record. The test steps the
    // cursor and puts it back, as the toolbar update always did.
    bool isOnFirst();
    bool isOnLast();

    // Enabling table of the record toolbar.
    CommandState commandState(int command);
    bool handles(int command) const;
    void run(int command);

    void first();
    void previous();
    void next();
    void last();
    void insert();
    void saveNew();
    void cancelChanges();
    void deleteCurrent();
    void filter();

    // Saves the displayed record when the form differs from it; false when
    // the save was refused. Used before every move and by the close rule.
    bool commitPending();

private:
    void recount();
    void showCurrent();
    void applyFilter();
    void restoreBaseFilter();
    void changed();

    RecordCursor &m_cursor;
    NavigationForm &m_form;
    LanguageContext *m_languages;
    NavigationTexts m_texts;
    QString m_baseFilter;
    bool m_inserting = false;
    FilterState m_filterState = NoFilter;
    int m_count = 0;
    qint32 m_reservedId = 0;
};

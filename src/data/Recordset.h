#pragma once

#include "data/Database.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <cstdint>
#include <memory>
#include <vector>

// Identifies one row of an open record set; valid until the next requery or
// close. Default-constructed bookmarks are invalid.
class Bookmark {
public:
    Bookmark() = default;
    bool isValid() const { return m_key != kInvalid; }
    bool operator==(const Bookmark &o) const { return m_key == o.m_key; }
    bool operator!=(const Bookmark &o) const { return m_key != o.m_key; }

private:
    friend class Recordset;
    static constexpr std::int64_t kInvalid = INT64_MIN;
    explicit Bookmark(std::int64_t key) : m_key(key) {}
    std::int64_t m_key = kInvalid;
};

// A DAO-style dynaset over one table or one Jet SELECT.
//
// Membership: open() and requery() fix the rows of the set (the keyset: row
// identities in sort order). Rows added through the set join it at its end
// until the next requery; rows deleted are skipped. Field values are read
// from the database when a row becomes current, so a change made through
// another record set on the same database is seen on the next move.
//
// Positions: after open() the first row is current, or the set is at
// EOF and BOF together when it is empty. moveNext() past the last row gives
// EOF, movePrev() before the first gives BOF. After deleteCurrent() there is
// no current row until the next move (moveNext() goes to the row after the
// deleted one, movePrev() to the one before it).
//
// Finding: findFirst/findNext/findPrev/findLast take Jet criteria (a WHERE
// clause without the WHERE, e.g. "IDCategoria=12 AND CodiceLingua='it'").
// On success the match becomes current and the call returns true. On
// failure the call returns false and the position is left where it was
// (DAO's NoMatch with the current record unchanged).
//
// Editing: addNew() or edit(), setValue()..., update(). cancelUpdate()
// drops the buffer. Moving away, requery or close while editing drops the
// buffer too, as in DAO. After update() of an addNew() the position stays
// where it was before addNew(); the new row is at the end of the set and
// lastModifiedBookmark() reaches it.
//
// Values: value() returns a null QVariant for NULL. Booleans come back as
// bool, dates as QDateTime, money and quantities as double, text as
// QString (see ColumnKind). setValue() accepts bool/QDate/QDateTime/numbers/
// strings and stores them in the column's form.
//
// Sets over a SELECT with joins, grouping, DISTINCT or TOP are read-only;
// editing calls on them throw DataError. Sets over one table (its name, or
// "SELECT * FROM T [WHERE ...] [ORDER BY ...]") can be edited.
//
// Every failure throws DataError.
class Recordset {
public:
    enum class EditMode { None, Edit, AddNew };

    explicit Recordset(Database &db);
    // A set whose own table is `table` (used by the table classes).
    Recordset(Database &db, const QString &table);
    virtual ~Recordset();
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;

    Database &database() const { return *m_db; }
    // The table given to the constructor (may be empty).
    QString defaultTable() const { return m_defaultTable; }
    // The one table an open set edits (empty for a read-only set).
    QString tableName() const;

    // Filter (Jet WHERE fragment) and sort (Jet ORDER BY fragment, e.g.
    // "IDCategoriaPadre, Ordine DESC"); they take effect at the next open()
    // or requery(). Empty means none.
    void setFilter(const QString &jetFilter) { m_filter = jetFilter; }
    QString filter() const { return m_filter; }
    void setSort(const QString &jetSort) { m_sort = jetSort; }
    QString sort() const { return m_sort; }

    // Opens the own table.
    void open();
    // Opens a table by name or a Jet SELECT statement. The filter and sort
    // apply on top of it (as DAO applies m_strFilter/m_strSort).
    void open(const QString &tableOrSelect);
    void requery();
    void close();
    bool isOpen() const { return m_open; }

    bool isEOF() const;
    bool isBOF() const;
    void moveFirst();
    void moveNext();
    void movePrev();
    void moveLast();
    // Number of rows of the set (exact; rows added through the set count,
    // deleted ones do not).
    int recordCount();
    // 0-based position of the current row, -1 when there is none.
    int absolutePosition();
    // Moves to the 0-based position; throws when it is out of range.
    void setAbsolutePosition(int position);

    bool findFirst(const QString &jetCriteria);
    bool findNext(const QString &jetCriteria);
    bool findPrev(const QString &jetCriteria);
    bool findLast(const QString &jetCriteria);

    void addNew();
    void edit();
    void update();
    void cancelUpdate();
    void deleteCurrent();
    EditMode editMode() const { return m_editMode; }
    bool canUpdate() const;

    Bookmark bookmark() const;
    void setBookmark(const Bookmark &bookmark);
    Bookmark lastModifiedBookmark() const { return m_lastModified; }

    // Fields.
    int fieldCount() const;
    QStringList fieldNames() const;
    // Column index by name, without regard to case; -1 when unknown.
    int fieldIndex(const QString &name) const;
    QVariant value(const QString &name) const;
    QVariant value(int index) const;
    // Only while editing (addNew/edit).
    void setValue(const QString &name, const QVariant &value);
    void setValue(int index, const QVariant &value);
    bool isNull(const QString &name) const;
    // Sets the field to NULL (or, with null=false, to the column's empty value).
    void setNull(const QString &name, bool null = true);

    // The MyGetFieldValue / MySetFieldValue pair: reads an integer field into
    // `out` and returns true, or returns false (out unchanged) when the field
    // is null, missing or there is no current row.
    bool myGetFieldValue(const QString &name, long &out) const;
    // Writes an integer field of the row being edited.
    void mySetFieldValue(const QString &name, long value);

    // Typed reads for the table classes (null reads as 0 / false / empty).
    int intValue(const QString &name) const;
    double doubleValue(const QString &name) const;
    bool boolValue(const QString &name) const;
    QString textValue(const QString &name) const;
    QDateTime dateValue(const QString &name) const;

    // Called by Database before a write on the connection.
    void completeKeyset();
    // Called by Database before a change of structure: no statement of the
    // set stays open.
    void releaseStatements();
    // Called by Database::close().
    void detachFromDatabase();
    // Called by Database after a rollback: rows added through the set that
    // the rollback took away leave it.
    void afterRollback();

private:
    struct Impl;
    void openSource();
    void requireOpen() const;
    void requireUpdatable() const;
    int requireField(const QString &name) const;
    void detachCurrentFromCursor();
    void dropCurrent();
    bool stepCursor(bool keepRow);
    bool ensureKey(int position);
    void buildPositionIndex();
    void goTo(int position);
    bool fetchCurrent() const;
    bool stepWindow() const;
    bool usable(int position);
    bool hasCurrent() const;
    void leaveRow();
    bool find(int kind, const QString &criteria);
    void loadDefaults();

    std::unique_ptr<Impl> d;

    Database *m_db;
    QString m_source;
    QString m_defaultTable;
    QString m_filter;
    QString m_sort;
    bool m_open = false;
    EditMode m_editMode = EditMode::None;
    Bookmark m_lastModified;
};

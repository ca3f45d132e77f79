#pragma once

#include "data/DataError.h"

#include <QString>
#include <QStringList>
#include <QVariant>

// SQLite text with the values of its literals taken out as parameters
// (numbers, strings, dates, TRUE/FALSE become '?'), so that statements that
// differ only in their values share one prepared statement.
struct SqlWithParams {
    QString sql;
    QVariantList params;
};

// What a Jet SELECT is, as far as a record set needs to know.
struct SelectShape {
    // "SELECT * FROM T [WHERE ...] [ORDER BY ...]" on one table: a set over
    // it can be edited.
    bool singleTable = false;
    QString table;        // when singleTable
    QString whereSql;     // translated WHERE condition (no keyword), may be empty
    QString orderBySql;   // translated ORDER BY list (no keyword), may be empty
    QString sql;          // the whole statement translated
};

// Translation of the Jet SQL dialect to SQLite.
//
// Handles [bracketed names], 'single' and "double" quoted strings, #dates#
// (month/day/year with an optional time), TRUE/FALSE, Like with * ? # and
// [..] lists (case-insensitive), &, Mod, \, IIf, Nz, Left, Right, Mid, Len,
// UCase, LCase, Trim, LTrim, RTrim, Year, Month, Day, Hour, Minute, Second,
// Now, Date, Int, Abs, CStr, CLng, CInt, CDbl, First/Last aggregates,
// TOP n, DISTINCTROW, IN () with an empty list (false), EXISTS, joins with ON,
// BETWEEN, IS [NOT] NULL. String literals compare without regard to case.
//
// Text that cannot be translated throws DataError whose message says what
// is wrong and whose statement() is the Jet text. No partial translation is
// ever returned.
class JetSql {
public:
    // A whole statement (SELECT, INSERT, UPDATE, DELETE, CREATE/DROP/ALTER).
    static QString statement(const QString &jet);
    // A filter or find criterion: a condition without WHERE.
    static QString condition(const QString &jet);
    static SqlWithParams conditionWithParams(const QString &jet);
    // A sort: an ORDER BY list without ORDER BY.
    static QString orderBy(const QString &jet);
    // A SELECT analysed for a record set.
    static SelectShape select(const QString &jet);
};

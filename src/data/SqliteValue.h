#pragma once

#include "data/Database.h"

#include <QVariant>

#include <sqlite3.h>

// Conversions between QVariant and SQLite values, following the stored forms
// of ColumnKind (booleans 0/1, dates as ISO text, money as REAL).
namespace sqlitevalue {

// Reads column `col` of the current row of `stmt`.
QVariant read(sqlite3_stmt *stmt, int col, ColumnKind kind);
// Binds `value` (converted for a column of `kind`) to parameter `index` (1-based).
int bind(sqlite3_stmt *stmt, int index, const QVariant &value, ColumnKind kind);
// The value as it will be stored in a column of `kind`, e.g. a bool as 0/1
// or a QDateTime as "YYYY-MM-DD HH:MM:SS"; then read back as `kind`.
QVariant normalise(const QVariant &value, ColumnKind kind);
// Date text in the stored form.
QString dateText(const QDateTime &dt);
QDateTime parseDate(const QString &text);

} // namespace sqlitevalue

#pragma once

#include <QString>

class Database;
class Recordset;

// Rules for numbering new rows.
//
// Editors number a new row with the largest ID of its table + 1 (1 when the
// table is empty). The record set used to ask keeps its filter, sort and
// current row.

// Largest ID of the set's table + 1, or 1 when the table is empty. The
// whole table counts, whatever the set's filter.
int nextId(Recordset &set);
int nextId(Database &db, const QString &table);

// The same rule under the name the template designer uses, on a set of the
// template database (CodiceASP, ClassiCSS, AttributiCSS, Parametri).
int NextId(Recordset &templateSet);

// Users and user interests created by this program take keys above
// kLocalIdBase; lower keys belong to rows the web site creates. The next
// local key is the largest ID above kLocalIdBase + 1, or kLocalIdBase + 1
// (1000000001) when there is none. Throws DataError when the range is full.
constexpr int kLocalIdBase = 1000000000;
int nextLocalId(Recordset &set);
int nextLocalId(Database &db, const QString &table);

#pragma once

#include <QString>

class Database;

// The deleted-records log (table RecordsEliminati): every row deleted from a
// table the site keeps is written here, so that the next site update removes
// it there too. Every deletion path logs through these two functions.

// Logs one deleted row of table.
void logDeletedRecord(Database &db, const QString &table, int id);

// Logs every row of table that matches where (a SQL condition), then deletes
// them. Returns how many rows went.
int deleteLogged(Database &db, const QString &table, const QString &where);

#pragma once

#include "data/sets/SetField.h"

// Log of deleted records for the site update.
// Table RecordsEliminati of the project database.
class CRecordsEliminatiSet : public Recordset {
public:
    static constexpr const char *Table = "RecordsEliminati";
    explicit CRecordsEliminatiSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_TEXT(NomeTabella)
    ZF_FIELD_INT(IDRecord)
    ZF_FIELD_DATE(DataEliminazione)
    ZF_FIELD_BOOL(Modificato)
};

#pragma once

#include "data/sets/SetField.h"

// The one-row counter of product image versions.
// Table ProgressivoVersioneRecord of the project database.
class CProgressivoVersioneRecordSet : public Recordset {
public:
    static constexpr const char *Table = "ProgressivoVersioneRecord";
    explicit CProgressivoVersioneRecordSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ProgressivoVersioneRecord)
    ZF_FIELD_BOOL(Modificato)
};

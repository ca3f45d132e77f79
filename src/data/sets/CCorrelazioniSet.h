#pragma once

#include "data/sets/SetField.h"

// Undirected links between two records of the catalogue or the content.
// Table Correlazioni of the project database.
class CCorrelazioniSet : public Recordset {
public:
    static constexpr const char *Table = "Correlazioni";
    explicit CCorrelazioniSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(Tipo1)
    ZF_FIELD_INT(ID1)
    ZF_FIELD_INT(Tipo2)
    ZF_FIELD_INT(ID2)
    ZF_FIELD_BOOL(Modificato)
};

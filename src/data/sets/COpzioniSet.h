#pragma once

#include "data/sets/SetField.h"

// Feature options of the site, read by code.
// Table Opzioni of the project database.
class COpzioniSet : public Recordset {
public:
    static constexpr const char *Table = "Opzioni";
    explicit COpzioniSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_TEXT(Codice)
    ZF_FIELD_TEXT(Descrizione)
    ZF_FIELD_INT(Valore)
    ZF_FIELD_BOOL(Modificato)
};

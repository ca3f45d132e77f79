#pragma once

#include "data/sets/SetField.h"

// Web forms of the site.
// Table Moduli of the project database.
class CModuliSet : public Recordset {
public:
    static constexpr const char *Table = "Moduli";
    explicit CModuliSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_TEXT(Codice)
    ZF_FIELD_TEXT(Email)
    ZF_FIELD_TEXT(Oggetto)
    ZF_FIELD_BOOL(Modificato)
};

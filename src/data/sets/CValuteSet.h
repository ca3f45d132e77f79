#pragma once

#include "data/sets/SetField.h"

// Currencies of the site; ID 1 is the Euro.
// Table Valute of the project database.
class CValuteSet : public Recordset {
public:
    static constexpr const char *Table = "Valute";
    explicit CValuteSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_TEXT(Nome)
    ZF_FIELD_REAL(Cambio)
    ZF_FIELD_TEXT(Simbolo)
    ZF_FIELD_REAL(Arrotondamento)
    ZF_FIELD_BOOL(Modificato)
};

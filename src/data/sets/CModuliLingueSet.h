#pragma once

#include "data/sets/SetField.h"

// Web form names and descriptions per language.
// Table ModuliLingue of the project database.
class CModuliLingueSet : public Recordset {
public:
    static constexpr const char *Table = "ModuliLingue";
    explicit CModuliLingueSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDModulo)
    ZF_FIELD_TEXT(CodiceLingua)
    ZF_FIELD_TEXT(Nome)
    ZF_FIELD_TEXT(Descrizione)
    ZF_FIELD_BOOL(Modificato)
};

#pragma once

#include "data/sets/SetField.h"

// Web form field labels per language.
// Table ModuliCampiLingue of the project database.
class CModuliCampiLingueSet : public Recordset {
public:
    static constexpr const char *Table = "ModuliCampiLingue";
    explicit CModuliCampiLingueSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDCampo)
    ZF_FIELD_TEXT(CodiceLingua)
    ZF_FIELD_TEXT(Etichetta)
    ZF_FIELD_BOOL(Modificato)
};

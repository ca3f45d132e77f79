#pragma once

#include "data/sets/SetField.h"

// Texts of drop-down options per language.
// Table ModuliOpzioniLingue of the project database.
class CModuliOpzioniLingueSet : public Recordset {
public:
    static constexpr const char *Table = "ModuliOpzioniLingue";
    explicit CModuliOpzioniLingueSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDOpzione)
    ZF_FIELD_TEXT(CodiceLingua)
    ZF_FIELD_TEXT(Testo)
    ZF_FIELD_BOOL(Modificato)
};

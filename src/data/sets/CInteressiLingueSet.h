#pragma once

#include "data/sets/SetField.h"

// Interest names and descriptions per language.
// Table InteressiLingue of the project database.
class CInteressiLingueSet : public Recordset {
public:
    static constexpr const char *Table = "InteressiLingue";
    explicit CInteressiLingueSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDInteresse)
    ZF_FIELD_TEXT(CodiceLingua)
    ZF_FIELD_TEXT(Nome)
    ZF_FIELD_TEXT(Descrizione)
    ZF_FIELD_BOOL(Modificato)
};

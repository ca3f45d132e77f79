#pragma once

#include "data/sets/SetField.h"

// Topic names and descriptions, one row per topic and language.
// Table ArgomentiLingue of the project database.
class CArgomentiLingueSet : public Recordset {
public:
    static constexpr const char *Table = "ArgomentiLingue";
    explicit CArgomentiLingueSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDArgomento)
    ZF_FIELD_TEXT(CodiceLingua)
    ZF_FIELD_TEXT(Nome)
    ZF_FIELD_TEXT(Descrizione)
    ZF_FIELD_BOOL(Modificato)
};

#pragma once

#include "data/sets/SetField.h"

// Article texts, one row per article and language.
// Table ArticoliLingue of the project database.
class CArticoliLinSet : public Recordset {
public:
    static constexpr const char *Table = "ArticoliLingue";
    explicit CArticoliLinSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDArticolo)
    ZF_FIELD_TEXT(CodiceLingua)
    ZF_FIELD_TEXT(Titolo)
    ZF_FIELD_TEXT(Sottotitolo)
    ZF_FIELD_TEXT(Autore)
    ZF_FIELD_TEXT(Testo)
    ZF_FIELD_BOOL(Modificato)
};

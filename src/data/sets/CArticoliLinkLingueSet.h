#pragma once

#include "data/sets/SetField.h"

// Titles, descriptions and addresses of article links per language.
// Table ArticoliLinkLingue of the project database.
class CArticoliLinkLingueSet : public Recordset {
public:
    static constexpr const char *Table = "ArticoliLinkLingue";
    explicit CArticoliLinkLingueSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDLink)
    ZF_FIELD_TEXT(CodiceLingua)
    ZF_FIELD_TEXT(Titolo)
    ZF_FIELD_TEXT(Descrizione)
    ZF_FIELD_TEXT(URL)
    ZF_FIELD_BOOL(Modificato)
};

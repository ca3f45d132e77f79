#pragma once

#include "data/sets/SetField.h"

// Category names and descriptions, one row per category and language.
// Table CategorieLingue of the project database.
class CCategorieLinSet : public Recordset {
public:
    static constexpr const char *Table = "CategorieLingue";
    explicit CCategorieLinSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDCategoria)
    ZF_FIELD_TEXT(CodiceLingua)
    ZF_FIELD_TEXT(Nome)
    ZF_FIELD_TEXT(Descrizione)
    ZF_FIELD_BOOL(Creato)
    ZF_FIELD_BOOL(Immagine)
    ZF_FIELD_BOOL(Modificato)
};

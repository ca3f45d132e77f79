#pragma once

#include "data/sets/SetField.h"

// Category tree, one general row per category.
// Table Categorie of the project database.
class CCategorieGenSet : public Recordset {
public:
    static constexpr const char *Table = "Categorie";
    explicit CCategorieGenSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(Ordine)
    ZF_FIELD_BOOL(Modificato)
    ZF_FIELD_INT(IDCategoriaPadre)
    ZF_FIELD_TEXT(DatiAggiuntivi)
    ZF_FIELD_TEXT(Codice)
};

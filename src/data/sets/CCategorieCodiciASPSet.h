#pragma once

#include "data/sets/SetField.h"

// Template database: stylesheet categories of the block tree.
// Table CategorieCodiciASP of the template database.
class CCategorieCodiciASPSet : public Recordset {
public:
    static constexpr const char *Table = "CategorieCodiciASP";
    explicit CCategorieCodiciASPSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_TEXT(Nome)
    ZF_FIELD_TEXT(Descrizione)
    ZF_FIELD_TEXT(FileCSS)
    ZF_FIELD_INT(Ordine)
};

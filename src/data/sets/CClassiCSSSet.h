#pragma once

#include "data/sets/SetField.h"

// Template database: CSS classes of a block-tree node.
// Table ClassiCSS of the template database.
class CClassiCSSSet : public Recordset {
public:
    static constexpr const char *Table = "ClassiCSS";
    explicit CClassiCSSSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDCodiceASP)
    ZF_FIELD_TEXT(Descrizione)
    ZF_FIELD_TEXT(Nome)
    ZF_FIELD_INT(Ordine)
    ZF_FIELD_TEXT(NomeCSS)
    ZF_FIELD_INT(IDClasseModello)
};

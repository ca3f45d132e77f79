#pragma once

#include "data/sets/SetField.h"

// Template database: one row per CSS property set on a class.
// Table AttributiCSS of the template database.
class CAttributiCSSSet : public Recordset {
public:
    static constexpr const char *Table = "AttributiCSS";
    explicit CAttributiCSSSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDClasse)
    ZF_FIELD_INT(IDAttributo)
    ZF_FIELD_TEXT(Valore)
};

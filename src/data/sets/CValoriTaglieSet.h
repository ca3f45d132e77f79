#pragma once

#include "data/sets/SetField.h"

// Size tables offered to products.
// Table ValoriTaglie of the project database.
class CValoriTaglieSet : public Recordset {
public:
    static constexpr const char *Table = "ValoriTaglie";
    explicit CValoriTaglieSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_TEXT(Nome)
    ZF_FIELD_TEXT(Taglie)
    ZF_FIELD_BOOL(Modificato)
};

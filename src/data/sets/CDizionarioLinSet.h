#pragma once

#include "data/sets/SetField.h"

// Dictionary texts, one row per code and language.
// Table DizionarioLin of the project database.
class CDizionarioLinSet : public Recordset {
public:
    static constexpr const char *Table = "DizionarioLin";
    explicit CDizionarioLinSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDCodice)
    ZF_FIELD_TEXT(CodiceLingua)
    ZF_FIELD_TEXT(Testo)
    ZF_FIELD_BOOL(Modificato)
};

#pragma once

#include "data/sets/SetField.h"

// Order state texts per language.
// Table StatoOrdiniLingue of the project database.
class CStatoOrdiniLingueSet : public Recordset {
public:
    static constexpr const char *Table = "StatoOrdiniLingue";
    explicit CStatoOrdiniLingueSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDCodice)
    ZF_FIELD_TEXT(CodiceLingua)
    ZF_FIELD_TEXT(Testo)
    ZF_FIELD_BOOL(Modificato)
};

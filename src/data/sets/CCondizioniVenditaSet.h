#pragma once

#include "data/sets/SetField.h"

// Sales conditions, one row per language.
// Table CondizioniVendita of the project database.
class CCondizioniVenditaSet : public Recordset {
public:
    static constexpr const char *Table = "CondizioniVendita";
    explicit CCondizioniVenditaSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_TEXT(CodiceLingua)
    ZF_FIELD_TEXT(Testo)
    ZF_FIELD_BOOL(Modificato)
};

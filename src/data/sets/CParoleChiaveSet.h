#pragma once

#include "data/sets/SetField.h"

// Search keywords per record (Tipo 1 product, 3 article) and language.
// Table ParoleChiave of the project database.
class CParoleChiaveSet : public Recordset {
public:
    static constexpr const char *Table = "ParoleChiave";
    explicit CParoleChiaveSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(Tipo)
    ZF_FIELD_INT(IDRecord)
    ZF_FIELD_TEXT(CodiceLingua)
    ZF_FIELD_TEXT(Keywords)
    ZF_FIELD_BOOL(Attivo)
    ZF_FIELD_BOOL(Modificato)
};

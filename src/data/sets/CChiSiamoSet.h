#pragma once

#include "data/sets/SetField.h"

// Company presentation, one row per language.
// Table ChiSiamo of the project database.
class CChiSiamoSet : public Recordset {
public:
    static constexpr const char *Table = "ChiSiamo";
    explicit CChiSiamoSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_TEXT(CodiceLingua)
    ZF_FIELD_TEXT(Presentazione)
    ZF_FIELD_BOOL(Modificato)
    ZF_FIELD_BOOL(LogoModificato)
};

#pragma once

#include "data/sets/SetField.h"

// Banner types.
// Table TipoBanner of the project database.
class CTipoBannerSet : public Recordset {
public:
    static constexpr const char *Table = "TipoBanner";
    explicit CTipoBannerSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_TEXT(Codice)
    ZF_FIELD_BOOL(Modificato)
};

#pragma once

#include "data/sets/SetField.h"

// Banners; the picture is a file named by ID.
// Table Banner of the project database.
class CBannerSet : public Recordset {
public:
    static constexpr const char *Table = "Banner";
    explicit CBannerSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_TEXT(Codice)
    ZF_FIELD_INT(IDTipoBanner)
    ZF_FIELD_TEXT(Link)
    ZF_FIELD_BOOL(Esterno)
    ZF_FIELD_DATE(DallaData)
    ZF_FIELD_DATE(AllaData)
    ZF_FIELD_INT(ComparsePreviste)
    ZF_FIELD_INT(ComparseEffettive)
    ZF_FIELD_BOOL(Modificato)
};

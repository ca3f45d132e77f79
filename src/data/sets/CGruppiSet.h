#pragma once

#include "data/sets/SetField.h"

// User groups with their price list and discounts.
// Table Gruppi of the project database.
class CGruppiSet : public Recordset {
public:
    static constexpr const char *Table = "Gruppi";
    explicit CGruppiSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_TEXT(Nome)
    ZF_FIELD_INT(Listino)
    ZF_FIELD_TEXT(ScontoPredefinito)
    ZF_FIELD_DATE(PeriodoDal)
    ZF_FIELD_DATE(PeriodoAl)
    ZF_FIELD_TEXT(ScontoPeriodo)
    ZF_FIELD_BOOL(Modificato)
};

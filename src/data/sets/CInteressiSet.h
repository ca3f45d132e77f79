#pragma once

#include "data/sets/SetField.h"

// Interests users can choose.
// Table Interessi of the project database.
class CInteressiSet : public Recordset {
public:
    static constexpr const char *Table = "Interessi";
    explicit CInteressiSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(Ordine)
    ZF_FIELD_BOOL(Modificato)
};

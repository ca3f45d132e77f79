#pragma once

#include "data/sets/SetField.h"

// Predefined order states.
// Table StatoOrdini of the project database.
class CStatoOrdiniGeneraleSet : public Recordset {
public:
    static constexpr const char *Table = "StatoOrdini";
    explicit CStatoOrdiniGeneraleSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_BOOL(Modificato)
};

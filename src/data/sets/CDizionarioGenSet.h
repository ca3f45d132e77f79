#pragma once

#include "data/sets/SetField.h"

// Dictionary of site texts, one general row per code.
// Table DizionarioGen of the project database.
class CDizionarioGenSet : public Recordset {
public:
    static constexpr const char *Table = "DizionarioGen";
    explicit CDizionarioGenSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_TEXT(Codice)
    ZF_FIELD_BOOL(Modificato)
};

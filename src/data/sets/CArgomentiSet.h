#pragma once

#include "data/sets/SetField.h"

// Forum (Tipo 0) and chat (Tipo 1) topics, one general row per topic.
// Table Argomenti of the project database.
class CArgomentiSet : public Recordset {
public:
    static constexpr const char *Table = "Argomenti";
    explicit CArgomentiSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(Tipo)
    ZF_FIELD_TEXT(Codice)
    ZF_FIELD_INT(IDArgomentoPadre)
    ZF_FIELD_INT(Ordine)
    ZF_FIELD_BOOL(Modificato)
};

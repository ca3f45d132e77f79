#pragma once

#include "data/sets/SetField.h"

// Site templates known to the project.
// Table Template of the project database.
class CTemplateSet : public Recordset {
public:
    static constexpr const char *Table = "Template";
    explicit CTemplateSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_TEXT(Nome)
    ZF_FIELD_TEXT(Descrizione)
    ZF_FIELD_BOOL(Attivo)
    ZF_FIELD_BOOL(Modificato)
};

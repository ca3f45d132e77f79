#pragma once

#include "data/sets/SetField.h"

// Records withheld from a group or a user.
// Table Permessi of the project database.
class CPermessiSet : public Recordset {
public:
    static constexpr const char *Table = "Permessi";
    explicit CPermessiSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDGruppo)
    ZF_FIELD_INT(IDRecord)
    ZF_FIELD_INT(IDUtente)
    ZF_FIELD_BOOL(Modificato)
    ZF_FIELD_INT(Tipo)
};

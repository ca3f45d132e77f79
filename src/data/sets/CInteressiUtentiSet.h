#pragma once

#include "data/sets/SetField.h"

// The interests of each user.
// Table InteressiUtenti of the project database.
class CInteressiUtentiSet : public Recordset {
public:
    static constexpr const char *Table = "InteressiUtenti";
    explicit CInteressiUtentiSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDUtente)
    ZF_FIELD_INT(IDInteresse)
    ZF_FIELD_BOOL(Modificato)
};

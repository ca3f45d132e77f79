#pragma once

#include "data/sets/SetField.h"

// Request one-time passwords of the card gateway.
// Table OTPRichieste of the project database.
class COTPRichiesteSet : public Recordset {
public:
    static constexpr const char *Table = "OTPRichieste";
    explicit COTPRichiesteSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_TEXT(Password)
    ZF_FIELD_BOOL(Modificato)
};

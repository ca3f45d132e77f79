#pragma once

#include "data/sets/SetField.h"

// Response one-time passwords of the card gateway.
// Table OTPRisposte of the project database.
class COTPRisposteSet : public Recordset {
public:
    static constexpr const char *Table = "OTPRisposte";
    explicit COTPRisposteSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_TEXT(Password)
    ZF_FIELD_BOOL(Modificato)
};

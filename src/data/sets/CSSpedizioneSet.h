#pragma once

#include "data/sets/SetField.h"

// Shipping cost rates by destination, five weight bands each.
// Table SpeseSpedizione of the project database.
class CSSpedizioneSet : public Recordset {
public:
    static constexpr const char *Table = "SpeseSpedizione";
    explicit CSSpedizioneSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_TEXT(Descrizione)
    ZF_FIELD_BOOL(EsenteIVA)
    ZF_FIELD_REAL(Limite1)
    ZF_FIELD_REAL(Limite2)
    ZF_FIELD_REAL(Limite3)
    ZF_FIELD_REAL(Limite4)
    ZF_FIELD_REAL(Limite5)
    ZF_FIELD_REAL(Prezzo1)
    ZF_FIELD_REAL(Prezzo2)
    ZF_FIELD_REAL(Prezzo3)
    ZF_FIELD_REAL(Prezzo4)
    ZF_FIELD_REAL(Prezzo5)
    ZF_FIELD_BOOL(Modificato)
};

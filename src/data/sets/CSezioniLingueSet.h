#pragma once

#include "data/sets/SetField.h"

// Section names and descriptions per language.
// Table SezioniLingue of the project database.
class CSezioniLingueSet : public Recordset {
public:
    static constexpr const char *Table = "SezioniLingue";
    explicit CSezioniLingueSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDSezione)
    ZF_FIELD_TEXT(CodiceLingua)
    ZF_FIELD_TEXT(Nome)
    ZF_FIELD_TEXT(Descrizione)
    ZF_FIELD_BOOL(Creato)
    ZF_FIELD_BOOL(Immagine)
    ZF_FIELD_BOOL(Modificato)
};

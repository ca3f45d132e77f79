#pragma once

#include "data/sets/SetField.h"

// Colours of a product; the pictures are files named by ID.
// Table ProdottiColori of the project database.
class CProdottiColoriSet : public Recordset {
public:
    static constexpr const char *Table = "ProdottiColori";
    explicit CProdottiColoriSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDProdotto)
    ZF_FIELD_TEXT(Codice)
    ZF_FIELD_TEXT(Descrizione)
    ZF_FIELD_BOOL(Attivo)
    ZF_FIELD_BOOL(Modificato)
};

#pragma once

#include "data/sets/SetField.h"

// Links between products and categories.
// Table CategorieProdotti of the project database.
class CCategorieProdottiSet : public Recordset {
public:
    static constexpr const char *Table = "CategorieProdotti";
    explicit CCategorieProdottiSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDCategoria)
    ZF_FIELD_INT(IDProdotto)
    ZF_FIELD_BOOL(Modificato)
};

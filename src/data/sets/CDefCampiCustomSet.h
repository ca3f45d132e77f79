#pragma once

#include "data/sets/SetField.h"

// Custom field definitions of products.
// Table DefCampiCustom of the project database.
class CDefCampiCustomSet : public Recordset {
public:
    static constexpr const char *Table = "DefCampiCustom";
    explicit CDefCampiCustomSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDCategoria)
    ZF_FIELD_TEXT(Nome)
    ZF_FIELD_INT(Tipo)
    ZF_FIELD_INT(Lunghezza)
    ZF_FIELD_INT(Decimali)
    ZF_FIELD_BOOL(Modificato)
};

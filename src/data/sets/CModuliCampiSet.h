#pragma once

#include "data/sets/SetField.h"

// Fields of a web form.
// Table ModuliCampi of the project database.
class CModuliCampiSet : public Recordset {
public:
    static constexpr const char *Table = "ModuliCampi";
    explicit CModuliCampiSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDModulo)
    ZF_FIELD_INT(Ordine)
    ZF_FIELD_INT(Tipo)
    ZF_FIELD_INT(Lunghezza)
    ZF_FIELD_INT(Decimali)
    ZF_FIELD_BOOL(Modificato)
};

#pragma once

#include "data/sets/SetField.h"

// Options of a drop-down web form field.
// Table ModuliOpzioni of the project database.
class CModuliOpzioniSet : public Recordset {
public:
    static constexpr const char *Table = "ModuliOpzioni";
    explicit CModuliOpzioniSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDCampo)
    ZF_FIELD_INT(Ordine)
    ZF_FIELD_BOOL(Modificato)
};

#pragma once

#include "data/sets/SetField.h"

// Template database: named values substituted into a node's code.
// Table Parametri of the template database.
class CParametriSet : public Recordset {
public:
    static constexpr const char *Table = "Parametri";
    explicit CParametriSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDCodiceASP)
    ZF_FIELD_TEXT(Etichetta)
    ZF_FIELD_TEXT(Descrizione)
    ZF_FIELD_TEXT(Nome)
    ZF_FIELD_INT(Ordine)
    ZF_FIELD_INT(Tipo)
    ZF_FIELD_TEXT(Valore)
    ZF_FIELD_TEXT(Opzioni)
    ZF_FIELD_INT(IDParametroModello)
};

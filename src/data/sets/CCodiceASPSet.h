#pragma once

#include "data/sets/SetField.h"

// Template database: one row per node of the block tree.
// Table CodiceASP of the template database.
class CCodiceASPSet : public Recordset {
public:
    static constexpr const char *Table = "CodiceASP";
    explicit CCodiceASPSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDCategoria)
    ZF_FIELD_INT(IDPadre)
    ZF_FIELD_TEXT(Nome)
    ZF_FIELD_TEXT(Descrizione)
    ZF_FIELD_INT(Ordine)
    ZF_FIELD_BOOL(Attivo)
    ZF_FIELD_TEXT(Codice)
    ZF_FIELD_BOOL(Condiviso)
    ZF_FIELD_INT(Tipo)
    ZF_FIELD_INT(IDRiferimento)
    ZF_FIELD_INT(IDModello)
};

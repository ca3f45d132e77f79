#pragma once

#include "data/sets/SetField.h"

// Section tree of the site content.
// Table Sezioni of the project database.
class CSezioniSet : public Recordset {
public:
    static constexpr const char *Table = "Sezioni";
    explicit CSezioniSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(Ordine)
    ZF_FIELD_INT(IDSezionePadre)
    ZF_FIELD_TEXT(Codice)
    ZF_FIELD_BOOL(Modificato)
    ZF_FIELD_BOOL(Attivo)
    ZF_FIELD_BOOL(MostraData)
    ZF_FIELD_BOOL(Stampa)
    ZF_FIELD_BOOL(Segnalazione)
    ZF_FIELD_BOOL(Voto)
};

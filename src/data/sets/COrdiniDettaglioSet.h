#pragma once

#include "data/sets/SetField.h"

// Order lines.
// Table OrdiniDettaglio of the project database.
class COrdiniDettaglioSet : public Recordset {
public:
    static constexpr const char *Table = "OrdiniDettaglio";
    explicit COrdiniDettaglioSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDOrdine)
    ZF_FIELD_INT(IDProdotto)
    ZF_FIELD_INT(IDColore)
    ZF_FIELD_TEXT(Codice)
    ZF_FIELD_TEXT(Descrizione)
    ZF_FIELD_TEXT(Colore)
    ZF_FIELD_TEXT(Taglia)
    ZF_FIELD_REAL(Prezzo)
    ZF_FIELD_REAL(Quantita)
    ZF_FIELD_REAL(QuantitaEvasa)
    ZF_FIELD_REAL(IVA)
    ZF_FIELD_REAL(Peso)
    ZF_FIELD_BOOL(Modificato)
};

#pragma once

#include "data/sets/SetField.h"

// Products and variants, one general row per product.
// Table Prodotti of the project database.
class CProdottiGeneraleSet : public Recordset {
public:
    static constexpr const char *Table = "Prodotti";
    explicit CProdottiGeneraleSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(Ordine)
    ZF_FIELD_INT(IDProdottoBase)
    ZF_FIELD_TEXT(Codice)
    ZF_FIELD_TEXT(CodiceABarre)
    ZF_FIELD_BOOL(Attivo)
    ZF_FIELD_BOOL(Novita)
    ZF_FIELD_BOOL(Mailing)
    ZF_FIELD_BOOL(Offerta)
    ZF_FIELD_INT(TipoOfferta)
    ZF_FIELD_REAL(IVA)
    ZF_FIELD_REAL(Peso)
    ZF_FIELD_REAL(Confezione)
    ZF_FIELD_REAL(Disponibilita)
    ZF_FIELD_REAL(Sconto)
    ZF_FIELD_DATE(ValiditaDal)
    ZF_FIELD_DATE(ValiditaAl)
    ZF_FIELD_INT(IDTabellaTaglie)
    ZF_FIELD_INT(TagliaDa)
    ZF_FIELD_INT(TagliaA)
    ZF_FIELD_BOOL(Immagine)
    ZF_FIELD_INT(VersioneImmagine)
    ZF_FIELD_BOOL(Modificato)
};

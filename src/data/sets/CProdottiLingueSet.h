#pragma once

#include "data/sets/SetField.h"

// Product texts and prices, one row per product and language.
// Table ProdottiLingue of the project database.
class CProdottiLingueSet : public Recordset {
public:
    static constexpr const char *Table = "ProdottiLingue";
    explicit CProdottiLingueSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDProdotto)
    ZF_FIELD_TEXT(CodiceLingua)
    ZF_FIELD_TEXT(Nome)
    ZF_FIELD_TEXT(DescrizioneFattura)
    ZF_FIELD_TEXT(DescrizioneBreve)
    ZF_FIELD_TEXT(DescrizioneEstesa)
    ZF_FIELD_TEXT(UnitaMisura)
    ZF_FIELD_REAL(Prezzo1)
    ZF_FIELD_REAL(Prezzo2)
    ZF_FIELD_REAL(Prezzo3)
    ZF_FIELD_REAL(Prezzo4)
    ZF_FIELD_REAL(PrezzoPromozionale)
    ZF_FIELD_TEXT(ValoriCustom)
    ZF_FIELD_TEXT(Ordinamento)
    ZF_FIELD_BOOL(Modificato)
};

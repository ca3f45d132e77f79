#pragma once

#include "data/sets/SetField.h"

// Discounts or agent commissions of a user or group on a category or product.
// Table ScontiProdotto of the project database.
class CScontiProdottoSet : public Recordset {
public:
    static constexpr const char *Table = "ScontiProdotto";
    explicit CScontiProdottoSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDGruppo)
    ZF_FIELD_INT(IDUtente)
    ZF_FIELD_INT(IDCategoria)
    ZF_FIELD_INT(IDProdotto)
    ZF_FIELD_TEXT(PercentualePredefinita)
    ZF_FIELD_REAL(PrezzoPredefinito)
    ZF_FIELD_DATE(PeriodoDal)
    ZF_FIELD_DATE(PeriodoAl)
    ZF_FIELD_TEXT(PercentualePeriodo)
    ZF_FIELD_REAL(PrezzoPeriodo)
    ZF_FIELD_DATE(QuantitaDal)
    ZF_FIELD_DATE(QuantitaAl)
    ZF_FIELD_REAL(Quantita1)
    ZF_FIELD_REAL(Quantita2)
    ZF_FIELD_REAL(Quantita3)
    ZF_FIELD_REAL(Quantita4)
    ZF_FIELD_REAL(Quantita5)
    ZF_FIELD_REAL(Quantita6)
    ZF_FIELD_REAL(Quantita7)
    ZF_FIELD_REAL(Quantita8)
    ZF_FIELD_REAL(Quantita9)
    ZF_FIELD_TEXT(Percentuale1)
    ZF_FIELD_TEXT(Percentuale2)
    ZF_FIELD_TEXT(Percentuale3)
    ZF_FIELD_TEXT(Percentuale4)
    ZF_FIELD_TEXT(Percentuale5)
    ZF_FIELD_TEXT(Percentuale6)
    ZF_FIELD_TEXT(Percentuale7)
    ZF_FIELD_TEXT(Percentuale8)
    ZF_FIELD_TEXT(Percentuale9)
    ZF_FIELD_REAL(Prezzo1)
    ZF_FIELD_REAL(Prezzo2)
    ZF_FIELD_REAL(Prezzo3)
    ZF_FIELD_REAL(Prezzo4)
    ZF_FIELD_REAL(Prezzo5)
    ZF_FIELD_REAL(Prezzo6)
    ZF_FIELD_REAL(Prezzo7)
    ZF_FIELD_REAL(Prezzo8)
    ZF_FIELD_REAL(Prezzo9)
    ZF_FIELD_BOOL(Modificato)
};

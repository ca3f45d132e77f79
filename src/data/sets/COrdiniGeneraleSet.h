#pragma once

#include "data/sets/SetField.h"

// Orders placed on the site.
// Table Ordini of the project database.
class COrdiniGeneraleSet : public Recordset {
public:
    static constexpr const char *Table = "Ordini";
    explicit COrdiniGeneraleSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_TEXT(NumeroOrdine)
    ZF_FIELD_DATE(DataOrdine)
    ZF_FIELD_INT(IDCliente)
    ZF_FIELD_TEXT(RagioneSociale)
    ZF_FIELD_TEXT(Nome)
    ZF_FIELD_TEXT(Cognome)
    ZF_FIELD_TEXT(Indirizzo)
    ZF_FIELD_TEXT(CAP)
    ZF_FIELD_TEXT(Localita)
    ZF_FIELD_TEXT(Provincia)
    ZF_FIELD_TEXT(Stato)
    ZF_FIELD_TEXT(Telefono)
    ZF_FIELD_TEXT(Email)
    ZF_FIELD_TEXT(CodiceFiscalePartitaIVA)
    ZF_FIELD_TEXT(RagioneSocialeDest)
    ZF_FIELD_TEXT(NomeDest)
    ZF_FIELD_TEXT(CognomeDest)
    ZF_FIELD_TEXT(IndirizzoDest)
    ZF_FIELD_TEXT(CAPDest)
    ZF_FIELD_TEXT(LocalitaDest)
    ZF_FIELD_TEXT(ProvinciaDest)
    ZF_FIELD_TEXT(StatoDest)
    ZF_FIELD_TEXT(ModalitaPagamento)
    ZF_FIELD_TEXT(NumeroAutorizzazione)
    ZF_FIELD_TEXT(EstremiFattura)
    ZF_FIELD_INT(NumeroColli)
    ZF_FIELD_TEXT(Note)
    ZF_FIELD_REAL(SpeseSpedizione)
    ZF_FIELD_REAL(IVASpedizione)
    ZF_FIELD_REAL(SpeseContrassegno)
    ZF_FIELD_REAL(Imponibile)
    ZF_FIELD_REAL(Imposta)
    ZF_FIELD_REAL(Totale)
    ZF_FIELD_BOOL(EsenteIVA)
    ZF_FIELD_INT(NumeroFattura)
    ZF_FIELD_DATE(DataFattura)
    ZF_FIELD_BOOL(Pagato)
    ZF_FIELD_TEXT(StoricoStati)
    ZF_FIELD_TEXT(CodiceLingua)
    ZF_FIELD_TEXT(Cellulare)
    ZF_FIELD_BOOL(Modificato)
};

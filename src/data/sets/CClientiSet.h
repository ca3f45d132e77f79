#pragma once

#include "data/sets/SetField.h"

// Registered users: customers, subscribers, agents and delivery recipients.
// Table Clienti of the project database.
class CClientiSet : public Recordset {
public:
    static constexpr const char *Table = "Clienti";
    explicit CClientiSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(TipoUtente)
    ZF_FIELD_TEXT(RagioneSociale)
    ZF_FIELD_TEXT(Cognome)
    ZF_FIELD_TEXT(Nome)
    ZF_FIELD_TEXT(UserID)
    ZF_FIELD_TEXT(Password)
    ZF_FIELD_TEXT(Indirizzo)
    ZF_FIELD_TEXT(CAP)
    ZF_FIELD_TEXT(Localita)
    ZF_FIELD_TEXT(Provincia)
    ZF_FIELD_TEXT(Stato)
    ZF_FIELD_TEXT(Telefono)
    ZF_FIELD_TEXT(Fax)
    ZF_FIELD_TEXT(Cellulare)
    ZF_FIELD_TEXT(CodiceFiscalePartitaIVA)
    ZF_FIELD_TEXT(Email)
    ZF_FIELD_TEXT(Web)
    ZF_FIELD_INT(Listino)
    ZF_FIELD_TEXT(ScontoPredefinito)
    ZF_FIELD_DATE(ScontoPeriodoDal)
    ZF_FIELD_DATE(ScontoPeriodoAl)
    ZF_FIELD_TEXT(ScontoPeriodo)
    ZF_FIELD_TEXT(Pagamento)
    ZF_FIELD_REAL(Fido)
    ZF_FIELD_REAL(FidoResiduo)
    ZF_FIELD_TEXT(CodiceLingua)
    ZF_FIELD_INT(IDGruppo)
    ZF_FIELD_INT(IDAgente)
    ZF_FIELD_INT(IDCliente)
    ZF_FIELD_BOOL(Modificato)
};

#pragma once

#include "data/sets/SetField.h"

// Articles of the site content, one general row per article.
// Table Articoli of the project database.
class CArticoliGenSet : public Recordset {
public:
    static constexpr const char *Table = "Articoli";
    explicit CArticoliGenSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(Ordine)
    ZF_FIELD_TEXT(Codice)
    ZF_FIELD_DATE(DataPubblicazione)
    ZF_FIELD_DATE(DallaData)
    ZF_FIELD_DATE(AllaData)
    ZF_FIELD_BOOL(Attivo)
    ZF_FIELD_BOOL(Novita)
    ZF_FIELD_BOOL(Mailing)
    ZF_FIELD_BOOL(Stampa)
    ZF_FIELD_BOOL(Segnalazione)
    ZF_FIELD_BOOL(Voto)
    ZF_FIELD_BOOL(Modificato)
};

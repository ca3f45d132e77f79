#pragma once

#include "data/sets/SetField.h"

// Languages of the site.
// Table Lingue of the project database.
class CLingueSet : public Recordset {
public:
    static constexpr const char *Table = "Lingue";
    explicit CLingueSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_BOOL(Attivo)
    ZF_FIELD_TEXT(Codice)
    ZF_FIELD_TEXT(Descrizione)
    ZF_FIELD_INT(IDValuta)
    ZF_FIELD_BOOL(Euro)
    ZF_FIELD_BOOL(Modificato)
};

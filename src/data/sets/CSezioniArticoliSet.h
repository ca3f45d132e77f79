#pragma once

#include "data/sets/SetField.h"

// The sections that show an article.
// Table SezioniArticoli of the project database.
class CSezioniArticoliSet : public Recordset {
public:
    static constexpr const char *Table = "SezioniArticoli";
    explicit CSezioniArticoliSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDSezione)
    ZF_FIELD_INT(IDArticolo)
    ZF_FIELD_BOOL(Modificato)
};

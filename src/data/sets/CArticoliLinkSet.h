#pragma once

#include "data/sets/SetField.h"

// Links shown with an article.
// Table ArticoliLink of the project database.
class CArticoliLinkSet : public Recordset {
public:
    static constexpr const char *Table = "ArticoliLink";
    explicit CArticoliLinkSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDArticolo)
    ZF_FIELD_INT(Ordine)
    ZF_FIELD_BOOL(Esterno)
    ZF_FIELD_BOOL(Modificato)
};

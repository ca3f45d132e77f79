#pragma once

#include "data/sets/SetField.h"

// Downloadable files of an article; the stored file is named by ID.
// Table ArticoliFiles of the project database.
class CArticoliFilesSet : public Recordset {
public:
    static constexpr const char *Table = "ArticoliFiles";
    explicit CArticoliFilesSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDArticolo)
    ZF_FIELD_TEXT(Codice)
    ZF_FIELD_BOOL(Modificato)
};

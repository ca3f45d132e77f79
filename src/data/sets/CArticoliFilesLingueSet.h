#pragma once

#include "data/sets/SetField.h"

// Titles and descriptions of article files, one row per file and language.
// Table ArticoliFilesLingue of the project database.
class CArticoliFilesLingueSet : public Recordset {
public:
    static constexpr const char *Table = "ArticoliFilesLingue";
    explicit CArticoliFilesLingueSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDFiles)
    ZF_FIELD_TEXT(CodiceLingua)
    ZF_FIELD_TEXT(Titolo)
    ZF_FIELD_TEXT(Descrizione)
    ZF_FIELD_BOOL(Modificato)
};

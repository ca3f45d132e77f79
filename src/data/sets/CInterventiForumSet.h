#pragma once

#include "data/sets/SetField.h"

// Forum posts brought in from the site.
// Table InterventiForum of the project database.
class CInterventiForumSet : public Recordset {
public:
    static constexpr const char *Table = "InterventiForum";
    explicit CInterventiForumSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_INT(IDArgomento)
    ZF_FIELD_INT(IDIntervento)
    ZF_FIELD_BOOL(Attivo)
    ZF_FIELD_DATE(Data)
    ZF_FIELD_DATE(Ora)
    ZF_FIELD_TEXT(Mittente)
    ZF_FIELD_TEXT(EmailMittente)
    ZF_FIELD_TEXT(Oggetto)
    ZF_FIELD_TEXT(Testo)
    ZF_FIELD_TEXT(NoteModeratore)
    ZF_FIELD_BOOL(Modificato)
};

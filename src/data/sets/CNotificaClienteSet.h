#pragma once

#include "data/sets/SetField.h"

// Customer notification text, one row per language.
// Table NotificaCliente of the project database.
class CNotificaClienteSet : public Recordset {
public:
    static constexpr const char *Table = "NotificaCliente";
    explicit CNotificaClienteSet(Database &db) : Recordset(db, QString::fromLatin1(Table)) {}

    ZF_FIELD_INT(ID)
    ZF_FIELD_TEXT(CodiceLingua)
    ZF_FIELD_TEXT(Testo)
    ZF_FIELD_BOOL(Modificato)
};

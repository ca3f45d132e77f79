#pragma once

#include "data/Recordset.h"

#include <QDateTime>
#include <QString>

// Typed accessors of the table classes. Each macro names one column and
// gives a getter with the column's own name and a setter "set" + name, e.g.
// ZF_FIELD_INT(IDCategoria) gives int IDCategoria() const and
// void setIDCategoria(int). Getters read the current row (a Null reads as
// 0, false, an empty text or an invalid date; use isNull() to tell);
// setters write the row being edited (after addNew() or edit()).
// The declared type of the column decides the macro:
//   INTEGER -> ZF_FIELD_INT, BOOLEAN -> ZF_FIELD_BOOL, REAL -> ZF_FIELD_REAL,
//   TEXT -> ZF_FIELD_TEXT, DATETIME -> ZF_FIELD_DATE.

#define ZF_FIELD_INT(Name)                                                   \
    int Name() const { return intValue(QStringLiteral(#Name)); }             \
    void set##Name(int value) { setValue(QStringLiteral(#Name), value); }

#define ZF_FIELD_BOOL(Name)                                                  \
    bool Name() const { return boolValue(QStringLiteral(#Name)); }           \
    void set##Name(bool value) { setValue(QStringLiteral(#Name), value); }

#define ZF_FIELD_REAL(Name)                                                  \
    double Name() const { return doubleValue(QStringLiteral(#Name)); }       \
    void set##Name(double value) { setValue(QStringLiteral(#Name), value); }

#define ZF_FIELD_TEXT(Name)                                                  \
    QString Name() const { return textValue(QStringLiteral(#Name)); }        \
    void set##Name(const QString &value) { setValue(QStringLiteral(#Name), value); }

// An invalid date is stored as Null (dates the user left empty).
#define ZF_FIELD_DATE(Name)                                                  \
    QDateTime Name() const { return dateValue(QStringLiteral(#Name)); }      \
    void set##Name(const QDateTime &value)                                   \
    {                                                                        \
        if (value.isValid())                                                 \
            setValue(QStringLiteral(#Name), value);                          \
        else                                                                 \
            setNull(QStringLiteral(#Name));                                  \
    }

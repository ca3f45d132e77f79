#pragma once

#include <QString>
#include <QVariant>

class QTextStream;
class Recordset;

// Rows of a record set as tab-separated text: one line of column names,
// then one line per row. Null is an empty field; booleans are True/False;
// dates "YYYY-MM-DD HH:MM:SS"; tabs, line breaks and backslashes inside
// values are written \t, \n, \r and \\ so that every row stays on one line.
class TabularText {
public:
    // Writes from the first row to the end; returns the number of rows.
    static int write(Recordset &set, QTextStream &out);
    static QString field(const QVariant &value);
};

#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// The one place that turns values into Jet SQL literals. Every value put
// into a filter, criterion or statement goes through these; no code writes
// quotes around a value by hand.

// 'text' with every ' doubled: D'Angelo -> 'D''Angelo'.
QString sqlQuote(const QString &text);
// Text for a Like pattern in which * ? # and [ typed by the user match
// themselves ([*] [?] [#] [[]): a prefix search is
// "Codice Like " + sqlQuote(sqlLikeEscape(typed) + '*').
QString sqlLikeEscape(const QString &text);
// #mm/dd/yyyy# and #mm/dd/yyyy hh:mm:ss# (Jet reads dates month first).
QString sqlDate(const QDate &date);
QString sqlDateTime(const QDateTime &dateTime);
// TRUE / FALSE.
QString sqlBool(bool value);
// A [bracketed] name, for table and column names that come from data.
QString sqlName(const QString &name);

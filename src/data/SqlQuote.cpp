#include "data/SqlQuote.h"

QString sqlQuote(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('\'');
    for (const QChar c : text) {
        if (c == QLatin1Char('\''))
            out += QLatin1Char('\'');
        out += c;
    }
    out += QLatin1Char('\'');
    return out;
}

QString sqlLikeEscape(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('#') || c == QLatin1Char('[')) {
            out += QLatin1Char('[');
            out += c;
            out += QLatin1Char(']');
        } else {
            out += c;
        }
    }
    return out;
}

QString sqlDate(const QDate &date)
{
    return QLatin1Char('#') + date.toString(QStringLiteral("MM/dd/yyyy")) + QLatin1Char('#');
}

QString sqlDateTime(const QDateTime &dateTime)
{
    return QLatin1Char('#') + dateTime.toString(QStringLiteral("MM/dd/yyyy HH:mm:ss")) + QLatin1Char('#');
}

QString sqlBool(bool value)
{
    return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

QString sqlName(const QString &name)
{
    // Jet names cannot hold brackets; anything else goes inside them as is.
    QString clean = name;
    clean.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    return QLatin1Char('[') + clean + QLatin1Char(']');
}

#include "data/JetSqlTokens.h"

#include <QDate>
#include <QDateTime>
#include <QSet>
#include <QTime>

namespace jetsql {

namespace {

QString parseJetDate(const QString &body)
{
    const QString s = body.trimmed();
    // Month first: m/d/yyyy, optionally followed by a time. ISO yyyy-mm-dd
    // is accepted as well.
    QString datePart = s, timePart;
    int sp = s.indexOf(QLatin1Char(' '));
    if (sp > 0) {
        datePart = s.left(sp);
        timePart = s.mid(sp + 1).trimmed();
    }
    QDate date;
    if (datePart.contains(QLatin1Char('/'))) {
        const QStringList p = datePart.split(QLatin1Char('/'));
        if (p.size() != 3)
            throw TranslateError(QStringLiteral("data non valida #%1#").arg(body));
        bool ok1, ok2, ok3;
        int m = p[0].toInt(&ok1), d = p[1].toInt(&ok2), y = p[2].toInt(&ok3);
        if (!ok1 || !ok2 || !ok3)
            throw TranslateError(QStringLiteral("data non valida #%1#").arg(body));
        if (p[2].size() <= 2)
            y += (y < 30) ? 2000 : 1900;
        date = QDate(y, m, d);
    } else if (datePart.contains(QLatin1Char('-'))) {
        date = QDate::fromString(datePart, QStringLiteral("yyyy-MM-dd"));
    } else if (datePart.contains(QLatin1Char(':'))) {
        // A time alone is a time on Jet's day zero.
        timePart = s;
        date = QDate(1899, 12, 30);
    }
    if (!date.isValid())
        throw TranslateError(QStringLiteral("data non valida #%1#").arg(body));
    QTime time(0, 0, 0);
    if (!timePart.isEmpty()) {
        QString t = timePart.toUpper();
        bool pm = false, am = false;
        if (t.endsWith(QLatin1String("PM"))) { pm = true; t.chop(2); }
        else if (t.endsWith(QLatin1String("AM"))) { am = true; t.chop(2); }
        const QStringList p = t.trimmed().split(QLatin1Char(':'));
        if (p.size() < 2 || p.size() > 3)
            throw TranslateError(QStringLiteral("ora non valida #%1#").arg(body));
        int h = p[0].toInt(), mi = p[1].toInt(), se = p.size() == 3 ? p[2].toInt() : 0;
        if (pm && h < 12) h += 12;
        if (am && h == 12) h = 0;
        time = QTime(h, mi, se);
        if (!time.isValid())
            throw TranslateError(QStringLiteral("ora non valida #%1#").arg(body));
    }
    return QDateTime(date, time).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace

QVector<Token> tokenize(const QString &src)
{
    QVector<Token> out;
    const int n = src.size();
    int i = 0;
    while (i < n) {
        const QChar c = src[i];
        if (c.isSpace()) { ++i; continue; }
        Token t;
        t.pos = i;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const QChar q = c;
            QString s;
            ++i;
            bool closed = false;
            while (i < n) {
                if (src[i] == q) {
                    if (i + 1 < n && src[i + 1] == q) { s += q; i += 2; continue; }
                    ++i; closed = true; break;
                }
                s += src[i++];
            }
            if (!closed)
                throw TranslateError(QStringLiteral("stringa non chiusa alla posizione %1").arg(t.pos + 1));
            t.type = Tok::String;
            t.text = s;
        } else if (c == QLatin1Char('[')) {
            int e = src.indexOf(QLatin1Char(']'), i + 1);
            if (e < 0)
                throw TranslateError(QStringLiteral("nome tra [ ] non chiuso alla posizione %1").arg(i + 1));
            t.type = Tok::Name;
            t.text = src.mid(i + 1, e - i - 1);
            if (t.text.isEmpty())
                throw TranslateError(QStringLiteral("nome vuoto [] alla posizione %1").arg(i + 1));
            i = e + 1;
        } else if (c == QLatin1Char('#')) {
            int e = src.indexOf(QLatin1Char('#'), i + 1);
            if (e < 0)
                throw TranslateError(QStringLiteral("data non chiusa alla posizione %1").arg(i + 1));
            t.type = Tok::Date;
            t.text = parseJetDate(src.mid(i + 1, e - i - 1));
            i = e + 1;
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && src[i + 1].isDigit()
                                   && (out.isEmpty() || out.back().type == Tok::Symbol))) {
            int s = i;
            while (i < n && src[i].isDigit()) ++i;
            if (i < n && src[i] == QLatin1Char('.') && !(i + 1 < n && src[i + 1].isLetter())) {
                ++i;
                while (i < n && src[i].isDigit()) ++i;
            }
            if (i < n && (src[i] == QLatin1Char('e') || src[i] == QLatin1Char('E'))
                && i + 1 < n && (src[i + 1].isDigit() || src[i + 1] == QLatin1Char('-') || src[i + 1] == QLatin1Char('+'))) {
                i += 2;
                while (i < n && src[i].isDigit()) ++i;
            }
            t.type = Tok::Number;
            t.text = src.mid(s, i - s);
            if (i < n && (src[i].isLetter() || src[i] == QLatin1Char('_')))
                throw TranslateError(QStringLiteral("numero non valido alla posizione %1").arg(s + 1));
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            int s = i;
            while (i < n && (src[i].isLetterOrNumber() || src[i] == QLatin1Char('_'))) ++i;
            t.type = Tok::Word;
            t.text = src.mid(s, i - s);
            t.upper = t.text.toUpper();
        } else {
            static const char *two[] = {"<>", "<=", ">=", "!=", nullptr};
            QString sym;
            for (int k = 0; two[k]; ++k) {
                if (src.mid(i, 2) == QLatin1String(two[k])) { sym = QLatin1String(two[k]); break; }
            }
            if (sym.isEmpty()) {
                if (QStringLiteral("=<>+-*/\\^&(),.;").contains(c))
                    sym = c;
                else
                    throw TranslateError(QStringLiteral("carattere non ammesso '%1' alla posizione %2").arg(c).arg(i + 1));
            }
            if (sym == QLatin1String("!="))
                sym = QStringLiteral("<>");
            t.type = Tok::Symbol;
            t.text = sym;
            i += src.mid(i, 2) == QLatin1String("!=") ? 2 : sym.size();
        }
        out.push_back(t);
    }
    Token end;
    end.pos = n;
    out.push_back(end);
    return out;
}

bool isReservedWord(const QString &upper)
{
    static const QSet<QString> words = {
        QStringLiteral("SELECT"), QStringLiteral("FROM"), QStringLiteral("WHERE"), QStringLiteral("GROUP"),
        QStringLiteral("BY"), QStringLiteral("HAVING"), QStringLiteral("ORDER"), QStringLiteral("AND"),
        QStringLiteral("OR"), QStringLiteral("NOT"), QStringLiteral("IN"), QStringLiteral("IS"),
        QStringLiteral("NULL"), QStringLiteral("LIKE"), QStringLiteral("BETWEEN"), QStringLiteral("AS"),
        QStringLiteral("ON"), QStringLiteral("INNER"), QStringLiteral("LEFT"), QStringLiteral("RIGHT"),
        QStringLiteral("OUTER"), QStringLiteral("JOIN"), QStringLiteral("UNION"), QStringLiteral("ASC"),
        QStringLiteral("DESC"), QStringLiteral("SET"), QStringLiteral("VALUES"), QStringLiteral("INTO"),
        QStringLiteral("MOD"), QStringLiteral("XOR"), QStringLiteral("EXISTS"), QStringLiteral("TOP"),
        QStringLiteral("DISTINCT"), QStringLiteral("DISTINCTROW"), QStringLiteral("TRUE"), QStringLiteral("FALSE"),
        QStringLiteral("ALL"), QStringLiteral("UPDATE"), QStringLiteral("DELETE"), QStringLiteral("INSERT")};
    return words.contains(upper);
}

} // namespace jetsql

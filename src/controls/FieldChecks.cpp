#include "FieldChecks.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

QString FieldChecks::formatDateDigits(const QString &text)
{
    static const QRegularExpression eight(QStringLiteral("^([0-9]{2})([0-9]{2})([0-9]{4})$"));
    const QRegularExpressionMatch m = eight.match(text.trimmed());
    if (!m.hasMatch())
        return text;
    if (text.trimmed() == QLatin1String("99999999"))
        return openDate();
    const QDate date(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (!date.isValid())
        return QStringLiteral("Error");
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

bool FieldChecks::isValidDateText(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t == openDate())
        return true;
    static const QRegularExpression shown(QStringLiteral("^([0-9]{2})/([0-9]{2})/([0-9]{4})$"));
    const QRegularExpressionMatch m = shown.match(t);
    return m.hasMatch()
        && QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt()).isValid();
}

QString FieldChecks::formatTimeDigits(const QString &text)
{
    static const QRegularExpression four(QStringLiteral("^([0-9]{2})([0-9]{2})$"));
    const QRegularExpressionMatch m = four.match(text.trimmed());
    if (!m.hasMatch())
        return text;
    return m.captured(1) + u':' + m.captured(2);
}

bool FieldChecks::isValidTimeText(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return true;
    static const QRegularExpression shown(
        QStringLiteral("^([0-9]{1,2}):([0-9]{2})(:([0-9]{2}))?$"));
    const QRegularExpressionMatch m = shown.match(t);
    if (!m.hasMatch())
        return false;
    const int seconds = m.captured(4).isEmpty() ? 0 : m.captured(4).toInt();
    return QTime(m.captured(1).toInt(), m.captured(2).toInt(), seconds).isValid();
}

QChar FieldChecks::taxCodeControlChar(const QString &first15)
{
    // Values of a character in an odd position (1st, 3rd, ...), for 0-9 and
    // A-Z alike (digit n counts as the n-th letter).
    static const int odd[26] = {1,  0,  5,  7,  9,  13, 15, 17, 19, 21, 2,  4,  18,
                                20, 11, 3,  6,  8,  12, 14, 16, 10, 22, 25, 24, 23};
    if (first15.size() != 15)
        return {};
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        const QChar c = first15.at(i).toUpper();
        int v;
        if (c >= u'0' && c <= u'9')
            v = c.unicode() - u'0';
        else if (c >= u'A' && c <= u'Z')
            v = c.unicode() - u'A';
        else
            return {};
        // Positions counted from 1: odd ones use the table, even ones the value.
        sum += (i % 2 == 0) ? odd[v] : v;
    }
    return QChar(u'A' + sum % 26);
}

bool FieldChecks::isValidTaxCode(const QString &text)
{
    const QString t = text.trimmed().toUpper();
    if (t.isEmpty())
        return true;
    // Surname and name letters, year, month letter, day, town (letter and
    // three digits), control letter; digits may be replaced by LMNPQRSTUV.
    static const QRegularExpression layout(QStringLiteral(
        "^[A-Z]{6}[0-9LMNPQRSTUV]{2}[ABCDEHLMPRST][0-9LMNPQRSTUV]{2}[A-Z][0-9LMNPQRSTUV]{3}[A-Z]$"));
    if (!layout.match(t).hasMatch())
        return false;
    return taxCodeControlChar(t.left(15)) == t.at(15);
}

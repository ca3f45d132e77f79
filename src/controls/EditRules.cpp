#include "EditRules.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

void EditRules::setParam(int kind, int width, int flag, int decimals)
{
    m_kind = kind;
    m_width = width;
    m_flag = flag;
    m_decimals = decimals < 0 ? 0 : decimals;
}

bool EditRules::accepts(const QString &text, int lengthAllowance) const
{
    const int limit = m_width < 0 ? -1 : std::max(m_width, lengthAllowance);
    if (!m_allowed.isEmpty()) {
        for (QChar c : text) {
            // The date separator is the field's own, whatever the set says.
            if (m_kind == Date && c == u'/')
                continue;
            if (!m_allowed.contains(c))
                return false;
        }
    }
    switch (m_kind) {
    case Digits:
        for (QChar c : text)
            if (!c.isDigit() || c.unicode() > 127)
                return false;
        return limit < 0 || text.size() <= limit;
    case Decimal:
    case Amount: {
        if (limit >= 0 && text.size() > limit)
            return false;
        const QString sign = m_kind == Amount ? QStringLiteral("-?") : QString();
        const QString fraction =
            m_decimals > 0 ? QStringLiteral("([.,][0-9]{0,%1})?").arg(m_decimals) : QString();
        const QRegularExpression re(QStringLiteral("^%1[0-9]*%2$").arg(sign, fraction));
        return re.match(text).hasMatch();
    }
    case Date: {
        static const QRegularExpression digits(QStringLiteral("^[0-9]{0,8}$"));
        static const QRegularExpression shown(
            QStringLiteral("^[0-9]{0,2}(/([0-9]{0,2}(/[0-9]{0,4})?)?)?$"));
        return digits.match(text).hasMatch() || shown.match(text).hasMatch();
    }
    default:
        return limit < 0 || text.size() <= limit;
    }
}

QString EditRules::numberText(double value, int decimals)
{
    QString s = decimals < 0
        ? QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest)
        : QLocale::c().toString(value, 'f', decimals);
    s.remove(u',');
    s.replace(u'.', u',');
    return s;
}

QString EditRules::formatNumber(double value) const
{
    switch (m_kind) {
    case Digits:
        return QString::number(qint64(std::llround(value)));
    case Decimal:
        return numberText(value, m_decimals);
    case Amount: {
        // Amounts show at least two decimals and drop further trailing zeros.
        QString s = numberText(value, m_decimals);
        const int keep = m_decimals < 2 ? m_decimals : 2;
        const int comma = s.indexOf(u',');
        if (comma >= 0) {
            int end = s.size();
            while (end > comma + 1 + keep && s.at(end - 1) == u'0')
                --end;
            if (end == comma + 1)
                --end;
            s.truncate(end);
        }
        return s;
    }
    default:
        return numberText(value);
    }
}

QString EditRules::formatDate(const QDate &date) const
{
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString EditRules::completed(const QString &text) const
{
    if (m_kind != Date)
        return text;
    const QDate date = parseDate(text);
    return date.isValid() ? formatDate(date) : text;
}

bool EditRules::parseNumber(const QString &text, double *value)
{
    QString t = text.trimmed();
    t.replace(u',', u'.');
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (ok && value)
        *value = v;
    return ok;
}

bool EditRules::parseInteger(const QString &text, qint64 *value)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (ok && value)
        *value = v;
    return ok;
}

QDate EditRules::parseDate(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^([0-9]{2})([0-9]{2})([0-9]{4})$"));
    static const QRegularExpression shown(
        QStringLiteral("^([0-9]{1,2})/([0-9]{1,2})/([0-9]{4})$"));
    const QString t = text.trimmed();
    QRegularExpressionMatch m = digits.match(t);
    if (!m.hasMatch())
        m = shown.match(t);
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
}

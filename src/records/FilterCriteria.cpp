#include "records/FilterCriteria.h"

#include "data/SqlQuote.h"

namespace FilterCriteria {

QString boolCriterion(const QString &field, Qt::CheckState state)
{
    switch (state) {
    case Qt::Checked:
        return QStringLiteral("[%1]=TRUE").arg(field);
    case Qt::Unchecked:
        return QStringLiteral("[%1]=FALSE").arg(field);
    default:
        return {};
    }
}

QString prefixCriterion(const QString &field, const QString &text)
{
    if (text.isEmpty())
        return {};
    // Wildcards typed by the user match themselves.
    return QStringLiteral("[%1] Like %2").arg(field, sqlQuote(sqlLikeEscape(text) + QLatin1Char('*')));
}

QString joinFilter(const QString &base, const QStringList &criteria)
{
    QStringList parts;
    if (!base.trimmed().isEmpty())
        parts << (base.contains(QLatin1String(" OR "), Qt::CaseInsensitive)
                      ? QStringLiteral("(%1)").arg(base) : base);
    for (const QString &c : criteria)
        if (!c.trimmed().isEmpty())
            parts << c;
    return parts.join(QStringLiteral(" AND "));
}

} // namespace FilterCriteria

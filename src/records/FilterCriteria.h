#pragma once

#include <QString>
#include <QStringList>
#include <Qt>

// Conditions of a record filter typed into a form, as Jet SQL. Every form
// that filters records builds its conditions with these.
namespace FilterCriteria {

// Criterion of a three-state box: "[field]=TRUE", "[field]=FALSE" or empty
// when indeterminate.
QString boolCriterion(const QString &field, Qt::CheckState state);
// "[field] Like 'text*'" (quotes in text doubled), empty when text is empty.
QString prefixCriterion(const QString &field, const QString &text);
// The base filter followed by the criteria, joined with " AND "; empty
// criteria are left out and a base with OR is put in brackets.
QString joinFilter(const QString &base, const QStringList &criteria);

} // namespace FilterCriteria

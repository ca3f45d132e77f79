#include "CValidatedEdit.h"

#include "RulesValidator.h"

#include <algorithm>
#include <climits>
#include <limits>


CValidatedEdit *CValidatedEdit::create(QWidget *parent, const QString &objectName, int kind,
                                       int width, int flag, int decimals)
{
    auto *edit = new CValidatedEdit(parent);
    edit->setObjectName(objectName);
    edit->SetParam(kind, width, flag, decimals);
    return edit;
}

CValidatedEdit::CValidatedEdit(QWidget *parent)
    : QLineEdit(parent)
{
    m_validator = new RulesValidator(m_rules, this);
    setValidator(m_validator);
    connect(this, &QLineEdit::editingFinished, this, &CValidatedEdit::completeInput);
}

void CValidatedEdit::SetParam(int kind, int width, int flag, int decimals)
{
    m_rules.setParam(kind, width, flag, decimals);
    m_validator->setRules(m_rules);
    setProperty("mandatory", flag == 1);
    fitLength(int(text().size()));
}

void CValidatedEdit::fitLength(int valueLength)
{
    // The width limits typing; a longer stored value is shown whole and may
    // be edited within its own length.
    int length = std::numeric_limits<int>::max();
    if (m_rules.kind() == EditRules::Date)
        length = 10; // eight digits, or the date shown with its two slashes
    else if (m_rules.width() >= 0)
        length = m_rules.width();
    setMaxLength(std::max(length, valueLength));
}

void CValidatedEdit::SetAllowedChr(const QString &chars)
{
    m_rules.setAllowedChars(chars);
    m_validator->setRules(m_rules);
}

void CValidatedEdit::SetValue(const QString &text)
{
    fitLength(int(text.size()));
    setText(text);
}

void CValidatedEdit::SetValue(int value)
{
    SetValue(QString::number(value));
}

void CValidatedEdit::SetValue(qint64 value)
{
    SetValue(QString::number(value));
}

void CValidatedEdit::SetValue(double value)
{
    SetValue(m_rules.formatNumber(value));
}

void CValidatedEdit::SetValue(const QDate &date)
{
    SetValue(m_rules.formatDate(date));
}

bool CValidatedEdit::GetValue(QString &value) const
{
    value = text();
    return true;
}

bool CValidatedEdit::GetValue(int &value) const
{
    qint64 v = 0;
    value = 0;
    if (!EditRules::parseInteger(text(), &v) || v < INT_MIN || v > INT_MAX)
        return false;
    value = int(v);
    return true;
}

bool CValidatedEdit::GetValue(qint64 &value) const
{
    value = 0;
    return EditRules::parseInteger(text(), &value);
}

bool CValidatedEdit::GetValue(float &value) const
{
    double v = 0;
    const bool ok = GetValue(v);
    value = float(v);
    return ok;
}

bool CValidatedEdit::GetValue(double &value) const
{
    value = 0;
    return EditRules::parseNumber(text(), &value);
}

bool CValidatedEdit::GetValue(QDate &value) const
{
    value = EditRules::parseDate(text());
    return value.isValid();
}

int CValidatedEdit::intValue() const
{
    int v = 0;
    GetValue(v);
    return v;
}

double CValidatedEdit::doubleValue() const
{
    double v = 0;
    GetValue(v);
    return v;
}

QDate CValidatedEdit::dateValue() const
{
    QDate d;
    GetValue(d);
    return d;
}

void CValidatedEdit::completeInput()
{
    const QString done = m_rules.completed(text());
    if (done != text())
        setText(done);
}

#pragma once

#include <QDate>
#include <QString>

// What a validated field accepts while it is typed, set with the parameters
// every form uses: kind, width, flag and decimals, plus an optional set of
// allowed characters. Kinds:
//   0 text of at most width characters (-1: no limit)
//   1 digits only, at most width of them
//   2 decimal number of at most width characters with at most `decimals`
//     digits after the separator (comma or point)
//   4 amount: as 2, and a leading minus sign is allowed
//   5 date typed as eight digits (day, month, year) and shown as dd/mm/yyyy
// The flag marks a mandatory field (1); it does not change what is accepted.
class EditRules {
public:
    enum Kind { Text = 0, Digits = 1, Decimal = 2, Amount = 4, Date = 5 };

    void setParam(int kind, int width, int flag, int decimals);
    // Only these characters may be typed (on top of the kind's own rule);
    // an empty set lifts the restriction.
    void setAllowedChars(const QString &chars) { m_allowed = chars; }

    int kind() const { return m_kind; }
    int width() const { return m_width; }
    int flag() const { return m_flag; }
    int decimals() const { return m_decimals; }
    const QString &allowedChars() const { return m_allowed; }

    // Whether text may stand in the field (checked after every keystroke,
    // so partial input such as "12," or "25/1" is accepted). A field loaded
    // with a longer text than the width may be edited within that length:
    // pass it as lengthAllowance.
    bool accepts(const QString &text, int lengthAllowance = 0) const;

    // The text a value is shown as in a field of this kind.
    QString formatNumber(double value) const;
    QString formatDate(const QDate &date) const;
    // Completes typed input when the field is left: eight date digits become
    // dd/mm/yyyy when they make a valid date.
    QString completed(const QString &text) const;

    // Numbers are read with a comma or a point as decimal separator; false
    // for empty or malformed text.
    static bool parseNumber(const QString &text, double *value);
    static bool parseInteger(const QString &text, qint64 *value);
    // dd/mm/yyyy or ddmmyyyy; an invalid QDate for anything else.
    static QDate parseDate(const QString &text);
    // Shortest text of a number with a decimal comma.
    static QString numberText(double value, int decimals = -1);

private:
    int m_kind = Text;
    int m_width = -1;
    int m_flag = 0;
    int m_decimals = 0;
    QString m_allowed;
};

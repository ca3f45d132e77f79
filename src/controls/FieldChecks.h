#pragma once

#include "support/ValidationTexts.h"

#include <QChar>
#include <QString>

// Checks of typed dates, times and Italian tax codes, with the messages
// shown when a value is refused.
class FieldChecks {
public:
    static QString messageTitle() { return ValidationTexts::Title; }
    static QString invalidDateMessage() { return QStringLiteral("Data non corretta!"); }
    static QString invalidTimeMessage() { return QStringLiteral("Ora non corretta!"); }
    static QString invalidTaxCodeMessage() { return QStringLiteral("Codice fiscale non corretto!"); }

    // The date marker that stands for "no date" and is kept as typed.
    static QString openDate() { return QStringLiteral("99/99/9999"); }
    // Typed eight digits shown as dd/mm/yyyy: "99999999" becomes the open
    // date marker, digits that make no valid date become "Error". Any other
    // text is returned as it is.
    static QString formatDateDigits(const QString &text);
    // Empty, a valid dd/mm/yyyy date or the open date marker.
    static bool isValidDateText(const QString &text);

    // Four typed digits shown as hh:mm; other text returned as it is.
    static QString formatTimeDigits(const QString &text);
    // Empty, or hh:mm / hh:mm:ss with hours 0-23 and minutes and seconds 0-59.
    static bool isValidTimeText(const QString &text);

    // The control character (16th) of the first 15 characters of a codice
    // fiscale; a null QChar when they hold a character the code cannot have.
    static QChar taxCodeControlChar(const QString &first15);
    // Empty, or 16 characters in the layout of a personal codice fiscale
    // (letters in place of digits allowed, as for homonyms) whose last
    // character is the control character. Lower case is accepted.
    static bool isValidTaxCode(const QString &text);
};

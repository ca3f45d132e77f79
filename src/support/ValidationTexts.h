#pragma once

#include <QString>

// Messages of field validation that many forms show, defined once.
namespace ValidationTexts {

// Title of every field validation message.
inline const QString Title = QStringLiteral("Validazione campi");
// A mandatory field was left empty.
inline const QString Mandatory = QStringLiteral("Campo obbligatorio!");
// A code that must be unique is already in use.
inline const QString DuplicateCode = QStringLiteral("Codice già presente!");

} // namespace ValidationTexts

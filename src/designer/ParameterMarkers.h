#pragma once

#include <QString>

// The parameter markers of a node's code: "%%Nome%%" replaced by a value,
// and sections from "%%Nome%%" to "%%/Nome%%" (or "%%Nome=i%%" to
// "%%/Nome=i%%" for option i of a choice) kept or cut.
namespace ParameterMarkers {

QString startMarker(const QString &name);
QString endMarker(const QString &name);

// Keeps every section between the markers and drops the markers.
void keepSections(QString &text, const QString &start, const QString &end);
// Cuts every section, markers included. A start marker without an end
// marker after it stops the cutting. When the first end marker comes before
// the first start marker the code is malformed: the text is left exactly as
// it was before the call and false is returned.
bool cutSections(QString &text, const QString &start, const QString &end);

// On/off parameter (Tipo 3): "1" keeps its sections, anything else cuts them.
void applyOnOff(QString &text, const QString &name, const QString &value);
// Choice parameter (Tipo 4): option `value` keeps its sections, every other
// option of `options` (comma-separated labels; only their count matters)
// loses its own. An empty value selects no option.
void applyChoice(QString &text, const QString &name, const QString &value,
                 const QString &options);
// Text and image parameters: every "%%Nome%%" becomes the value.
void applyValue(QString &text, const QString &name, const QString &value);

} // namespace ParameterMarkers

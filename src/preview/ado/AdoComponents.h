#pragma once

#include "data/DataError.h"
#include "script/Registry.h"
#include "script/Variant.h"

#include <QVariant>

namespace preview {

// Registers ADODB.Connection, ADODB.Recordset, ADODB.Command and
// ADODB.Stream. The data sources and files they open must lie inside the
// context's file roots.
void registerAdoComponents(vbs::ComponentRegistry &registry);

namespace ado {

// Error numbers of the data components, as pages test them in Err.Number.
enum AdoError : int {
    ErrProvider = int(0x80004005),   // the database engine refused the statement or file
    ErrNotFoundInCollection = 3265,  // no field or parameter of that name or position
    ErrNoCurrentRecord = 3021,       // BOF or EOF is true, or the record was deleted
    ErrObjectClosed = 3704,          // the object is closed
    ErrObjectOpen = 3705,            // the object is already open
    ErrArgumentsWrong = 3001,        // arguments of the wrong type or out of range
    ErrNoTransaction = 3710,         // no transaction is active
    ErrNotUpdatable = 3251,          // the record set does not support updating
};

// Cursor types and lock types as pages pass them.
constexpr int adOpenForwardOnly = 0;
constexpr int adOpenStatic = 3;
constexpr int adLockReadOnly = 1;
constexpr int adUseClient = 3;
constexpr int adCmdTable = 2;

[[noreturn]] void raiseAdo(int number, const QString &text);
// A data-layer failure as a script error (number 80004005, its message).
[[noreturn]] void raiseData(const DataError &error);

// Values between the record sets and the script.
vbs::Variant fromQVariant(const QVariant &value);
QVariant toQVariant(const vbs::Variant &value);
// A Jet SQL literal for a parameter value.
QString sqlLiteral(const vbs::Variant &value);

} // namespace ado
} // namespace preview

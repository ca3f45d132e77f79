#include "AdoComponents.h"

#include "AdoCommand.h"
#include "AdoConnection.h"
#include "AdoRecordset.h"
#include "AdoStream.h"

#include "data/SqlQuote.h"
#include "script/Dispatch.h"

#include <QDateTime>

namespace preview {

using namespace vbs;

void registerAdoComponents(ComponentRegistry &registry)
{
    registry.add(QStringLiteral("ADODB.Connection"),
                 [](Context &ctx) { return Ref<Dispatch>(new AdoConnection(ctx.fileRoots())); });
    registry.add(QStringLiteral("ADODB.Recordset"),
                 [](Context &ctx) { return Ref<Dispatch>(new AdoRecordset(ctx.fileRoots())); });
    registry.add(QStringLiteral("ADODB.Command"),
                 [](Context &ctx) { return Ref<Dispatch>(new AdoCommand(ctx.fileRoots())); });
    registry.add(QStringLiteral("ADODB.Stream"),
                 [](Context &ctx) { return Ref<Dispatch>(new AdoStream(ctx.fileRoots())); });
}

namespace ado {

void raiseAdo(int number, const QString &text)
{
    throw ScriptError(number, text, QStringLiteral("ADODB"));
}

void raiseData(const DataError &error)
{
    throw ScriptError(ErrProvider, error.text(), QStringLiteral("Microsoft JET Database Engine"));
}

Variant fromQVariant(const QVariant &value)
{
    if (value.isNull())
        return Variant::null();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return Variant(value.toBool());
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
        return Variant(int32_t(value.toInt()));
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        const qlonglong n = value.toLongLong();
        if (n >= INT32_MIN && n <= INT32_MAX)
            return Variant(int32_t(n));
        return Variant(double(n));
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return Variant(value.toDouble());
    case QMetaType::QDateTime:
    case QMetaType::QDate: {
        const QDateTime dt = value.toDateTime();
        const QTime t = dt.time();
        const double fraction = (t.hour() * 3600 + t.minute() * 60 + t.second()) / 86400.0;
        return Variant::date(dateFromParts(dt.date().year(), dt.date().month(), dt.date().day(), fraction));
    }
    case QMetaType::QByteArray:
        return Variant(QString::fromLatin1(value.toByteArray()));
    default:
        return Variant(value.toString());
    }
}

QVariant toQVariant(const Variant &v0)
{
    const Variant v = defaultValue(v0);
    switch (v.type()) {
    case VType::Empty:
    case VType::Null:
        return {};
    case VType::Boolean:
        return v.boolValue();
    case VType::Byte:
    case VType::Integer:
    case VType::Long:
        return v.toLong();
    case VType::Single:
    case VType::Double:
    case VType::Currency:
        return v.toDouble();
    case VType::Date: {
        int y, mo, d, h, mi, s;
        if (!dateToParts(v.dateValue(), y, mo, d, h, mi, s))
            raise(ErrOverflow);
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
    }
    case VType::String:
        return v.stringValue();
    default:
        raise(ErrTypeMismatch);
    }
}

QString sqlLiteral(const Variant &v0)
{
    const QVariant v = toQVariant(v0);
    if (v.isNull())
        return QStringLiteral("NULL");
    switch (v.typeId()) {
    case QMetaType::Bool:
        return sqlBool(v.toBool());
    case QMetaType::Int:
        return QString::number(v.toInt());
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 17);
    case QMetaType::QDateTime:
        return sqlDateTime(v.toDateTime());
    default:
        return sqlQuote(v.toString());
    }
}

} // namespace ado
} // namespace preview

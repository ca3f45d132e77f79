#include "data/TabularText.h"

#include "data/Recordset.h"
#include "data/SqliteValue.h"

#include <QTextStream>

QString TabularText::field(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    QString s;
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDateTime:
        return sqlitevalue::dateText(value.toDateTime());
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::QByteArray:
        return QString::fromLatin1(value.toByteArray().toHex());
    default:
        s = value.toString();
    }
    QString out;
    out.reserve(s.size());
    for (const QChar c : s) {
        switch (c.unicode()) {
        case '\t': out += QLatin1String("\\t"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\\': out += QLatin1String("\\\\"); break;
        default: out += c;
        }
    }
    return out;
}

int TabularText::write(Recordset &set, QTextStream &out)
{
    const int n = set.fieldCount();
    QStringList names = set.fieldNames();
    for (QString &name : names)
        name = field(name);
    out << names.join(QLatin1Char('\t')) << '\n';
    int rows = 0;
    if (set.isEOF() && set.isBOF())
        return 0;
    set.moveFirst();
    QStringList fields;
    while (!set.isEOF()) {
        fields.clear();
        for (int c = 0; c < n; ++c)
            fields << field(set.value(c));
        out << fields.join(QLatin1Char('\t')) << '\n';
        ++rows;
        set.moveNext();
    }
    return rows;
}

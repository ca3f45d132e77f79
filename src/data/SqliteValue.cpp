#include "data/SqliteValue.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cmath>

namespace sqlitevalue {

QString dateText(const QDateTime &dt)
{
    return dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QDateTime parseDate(const QString &text)
{
    // "YYYY-MM-DD HH:MM:SS", "YYYY-MM-DD" or "YYYY-MM-DDTHH:MM:SS".
    if (text.size() >= 10) {
        const QDate d(text.mid(0, 4).toInt(), text.mid(5, 2).toInt(), text.mid(8, 2).toInt());
        QTime t(0, 0, 0);
        if (text.size() >= 19)
            t = QTime(text.mid(11, 2).toInt(), text.mid(14, 2).toInt(), text.mid(17, 2).toInt());
        if (d.isValid() && t.isValid())
            return QDateTime(d, t);
    }
    return QDateTime::fromString(text, Qt::ISODate);
}

static QVariant dynamicRead(sqlite3_stmt *stmt, int col, int type)
{
    switch (type) {
    case SQLITE_INTEGER: {
        const sqlite3_int64 v = sqlite3_column_int64(stmt, col);
        if (v >= INT32_MIN && v <= INT32_MAX)
            return QVariant(int(v));
        return QVariant(qlonglong(v));
    }
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, col));
    case SQLITE_TEXT: {
        const char *t = reinterpret_cast<const char *>(sqlite3_column_text(stmt, col));
        return QVariant(QString::fromUtf8(t, sqlite3_column_bytes(stmt, col)));
    }
    case SQLITE_BLOB: {
        const char *b = static_cast<const char *>(sqlite3_column_blob(stmt, col));
        return QVariant(QByteArray(b, sqlite3_column_bytes(stmt, col)));
    }
    default:
        return QVariant();
    }
}

QVariant read(sqlite3_stmt *stmt, int col, ColumnKind kind)
{
    const int type = sqlite3_column_type(stmt, col);
    if (type == SQLITE_NULL)
        return QVariant();
    switch (kind) {
    case ColumnKind::Dynamic:
        return dynamicRead(stmt, col, type);
    case ColumnKind::Bool:
        if (type == SQLITE_TEXT) {
            const QString s = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, col)));
            return QVariant(s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || s.toDouble() != 0);
        }
        return QVariant(sqlite3_column_double(stmt, col) != 0);
    case ColumnKind::Integer:
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
            const sqlite3_int64 v = sqlite3_column_int64(stmt, col);
            if (v >= INT32_MIN && v <= INT32_MAX)
                return QVariant(int(v));
            return QVariant(qlonglong(v));
        }
        return dynamicRead(stmt, col, type);
    case ColumnKind::Real:
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
            return QVariant(sqlite3_column_double(stmt, col));
        return dynamicRead(stmt, col, type);
    case ColumnKind::Text:
        if (type == SQLITE_BLOB)
            return dynamicRead(stmt, col, type);
        return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, col)),
                                          sqlite3_column_bytes(stmt, col)));
    case ColumnKind::DateTime:
        if (type == SQLITE_TEXT) {
            const QString s = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, col)),
                                                sqlite3_column_bytes(stmt, col));
            const QDateTime dt = parseDate(s);
            return dt.isValid() ? QVariant(dt) : QVariant(s);
        }
        return dynamicRead(stmt, col, type);
    case ColumnKind::Blob:
        return dynamicRead(stmt, col, type);
    }
    return QVariant();
}

QVariant normalise(const QVariant &value, ColumnKind kind)
{
    if (value.isNull() || !value.isValid())
        return QVariant();
    const int t = value.typeId();
    switch (kind) {
    case ColumnKind::Bool:
        if (t == QMetaType::QString) {
            const QString s = value.toString();
            return QVariant(s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || s.toDouble() != 0);
        }
        return QVariant(value.toDouble() != 0);
    case ColumnKind::Integer:
        if (t == QMetaType::Bool)
            return QVariant(value.toBool() ? 1 : 0);
        if (t == QMetaType::Double || t == QMetaType::Float) {
            const double d = value.toDouble();
            return QVariant(qlonglong(std::llround(d)));
        }
        if (t == QMetaType::QString) {
            bool ok = false;
            const qlonglong v = value.toString().trimmed().toLongLong(&ok);
            if (ok)
                return v >= INT32_MIN && v <= INT32_MAX ? QVariant(int(v)) : QVariant(v);
            return value;
        }
        if (t == QMetaType::LongLong || t == QMetaType::ULongLong || t == QMetaType::Long) {
            const qlonglong v = value.toLongLong();
            return v >= INT32_MIN && v <= INT32_MAX ? QVariant(int(v)) : QVariant(v);
        }
        return QVariant(value.toInt());
    case ColumnKind::Real:
        if (t == QMetaType::QString) {
            bool ok = false;
            const double d = value.toString().trimmed().toDouble(&ok);
            return ok ? QVariant(d) : value;
        }
        return QVariant(value.toDouble());
    case ColumnKind::Text:
        if (t == QMetaType::QByteArray)
            return value;
        if (t == QMetaType::Bool)
            return QVariant(value.toBool() ? QStringLiteral("1") : QStringLiteral("0"));
        return QVariant(value.toString());
    case ColumnKind::DateTime:
        if (t == QMetaType::QDate)
            return QVariant(QDateTime(value.toDate(), QTime(0, 0, 0)));
        if (t == QMetaType::QDateTime)
            return QVariant(parseDate(dateText(value.toDateTime())));
        if (t == QMetaType::QString) {
            const QDateTime dt = parseDate(value.toString());
            return dt.isValid() ? QVariant(dt) : value;
        }
        return value;
    case ColumnKind::Blob:
    case ColumnKind::Dynamic:
        if (t == QMetaType::Bool)
            return QVariant(value.toBool());
        if (t == QMetaType::QDate)
            return QVariant(QDateTime(value.toDate(), QTime(0, 0, 0)));
        return value;
    }
    return value;
}

static int bindText(sqlite3_stmt *stmt, int index, const QString &s)
{
    const QByteArray u = s.toUtf8();
    return sqlite3_bind_text(stmt, index, u.constData(), int(u.size()), SQLITE_TRANSIENT);
}

int bind(sqlite3_stmt *stmt, int index, const QVariant &value, ColumnKind kind)
{
    const QVariant v = kind == ColumnKind::Dynamic ? value : normalise(value, kind);
    if (!v.isValid() || v.isNull())
        return sqlite3_bind_null(stmt, index);
    switch (v.typeId()) {
    case QMetaType::Bool:
        return sqlite3_bind_int(stmt, index, v.toBool() ? 1 : 0);
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::SChar:
    case QMetaType::Char:
        return sqlite3_bind_int(stmt, index, v.toInt());
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(stmt, index, v.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(stmt, index, v.toDouble());
    case QMetaType::QDateTime:
        return bindText(stmt, index, dateText(v.toDateTime()));
    case QMetaType::QDate:
        return bindText(stmt, index, dateText(QDateTime(v.toDate(), QTime(0, 0, 0))));
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        return sqlite3_bind_blob(stmt, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    }
    default:
        return bindText(stmt, index, v.toString());
    }
}

} // namespace sqlitevalue

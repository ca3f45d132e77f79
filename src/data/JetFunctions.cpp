#include "data/JetFunctions.h"

#include "data/JetText.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <sqlite3.h>

#include <cmath>

namespace {

QString textArg(sqlite3_value *v)
{
    const void *t = sqlite3_value_text16(v);
    int bytes = sqlite3_value_bytes16(v);
    return QString(reinterpret_cast<const QChar *>(t), bytes / 2);
}

void resultText(sqlite3_context *ctx, const QString &s)
{
    sqlite3_result_text16(ctx, s.utf16(), int(s.size() * 2), SQLITE_TRANSIENT);
}

void fnLike(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_int(ctx, jettext::like(textArg(argv[0]), textArg(argv[1])));
}

void fnLeft(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) { sqlite3_result_null(ctx); return; }
    resultText(ctx, textArg(argv[0]).left(qMax(0, sqlite3_value_int(argv[1]))));
}

void fnRight(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) { sqlite3_result_null(ctx); return; }
    resultText(ctx, textArg(argv[0]).right(qMax(0, sqlite3_value_int(argv[1]))));
}

void fnMid(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) { sqlite3_result_null(ctx); return; }
    const QString s = textArg(argv[0]);
    int start = qMax(1, sqlite3_value_int(argv[1])) - 1;
    int len = argc > 2 ? qMax(0, sqlite3_value_int(argv[2])) : -1;
    resultText(ctx, s.mid(start, len));
}

void fnUcase(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) { sqlite3_result_null(ctx); return; }
    resultText(ctx, textArg(argv[0]).toUpper());
}

void fnLcase(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) { sqlite3_result_null(ctx); return; }
    resultText(ctx, textArg(argv[0]).toLower());
}

void fnInstr(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[1]) == SQLITE_NULL || sqlite3_value_type(argv[2]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    int start = qMax(1, sqlite3_value_int(argv[0]));
    int at = textArg(argv[1]).indexOf(textArg(argv[2]), start - 1, Qt::CaseInsensitive);
    sqlite3_result_int(ctx, at + 1);
}

void fnConcat(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    QString out;
    bool any = false;
    for (int k = 0; k < argc; ++k) {
        if (sqlite3_value_type(argv[k]) == SQLITE_NULL)
            continue;
        any = true;
        out += textArg(argv[k]);
    }
    if (any)
        resultText(ctx, out);
    else
        sqlite3_result_null(ctx);
}

void fnSpace(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    resultText(ctx, QString(qBound(0, sqlite3_value_int(argv[0]), 1 << 20), QLatin1Char(' ')));
}

void fnInt(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) { sqlite3_result_null(ctx); return; }
    sqlite3_result_int64(ctx, sqlite3_int64(std::floor(sqlite3_value_double(argv[0]))));
}

void fnPow(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_double(ctx, std::pow(sqlite3_value_double(argv[0]), sqlite3_value_double(argv[1])));
}

void fnNow(sqlite3_context *ctx, int, sqlite3_value **)
{
    resultText(ctx, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

void fnDate(sqlite3_context *ctx, int, sqlite3_value **)
{
    resultText(ctx, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00"));
}

// First/Last: the value of the first (last) row of the group, Null included.
struct FirstLastState {
    bool seen;
    sqlite3_value *value;
};

void firstStep(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    auto *st = static_cast<FirstLastState *>(sqlite3_aggregate_context(ctx, sizeof(FirstLastState)));
    if (!st) return;
    if (!st->seen) {
        st->seen = true;
        st->value = sqlite3_value_dup(argv[0]);
    }
}

void lastStep(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    auto *st = static_cast<FirstLastState *>(sqlite3_aggregate_context(ctx, sizeof(FirstLastState)));
    if (!st) return;
    if (st->seen)
        sqlite3_value_free(st->value);
    st->seen = true;
    st->value = sqlite3_value_dup(argv[0]);
}

void firstLastFinal(sqlite3_context *ctx)
{
    auto *st = static_cast<FirstLastState *>(sqlite3_aggregate_context(ctx, 0));
    if (!st || !st->seen) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_value(ctx, st->value);
    sqlite3_value_free(st->value);
}

} // namespace

void jetfunctions::registerAll(sqlite3 *db)
{
    const int det = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "jet_like", 2, det, nullptr, fnLike, nullptr, nullptr);
    sqlite3_create_function(db, "jet_left", 2, det, nullptr, fnLeft, nullptr, nullptr);
    sqlite3_create_function(db, "jet_right", 2, det, nullptr, fnRight, nullptr, nullptr);
    sqlite3_create_function(db, "jet_mid", 2, det, nullptr, fnMid, nullptr, nullptr);
    sqlite3_create_function(db, "jet_mid", 3, det, nullptr, fnMid, nullptr, nullptr);
    sqlite3_create_function(db, "jet_ucase", 1, det, nullptr, fnUcase, nullptr, nullptr);
    sqlite3_create_function(db, "jet_lcase", 1, det, nullptr, fnLcase, nullptr, nullptr);
    sqlite3_create_function(db, "jet_instr", 3, det, nullptr, fnInstr, nullptr, nullptr);
    sqlite3_create_function(db, "jet_concat", -1, det, nullptr, fnConcat, nullptr, nullptr);
    sqlite3_create_function(db, "jet_space", 1, det, nullptr, fnSpace, nullptr, nullptr);
    sqlite3_create_function(db, "jet_int", 1, det, nullptr, fnInt, nullptr, nullptr);
    sqlite3_create_function(db, "jet_pow", 2, det, nullptr, fnPow, nullptr, nullptr);
    sqlite3_create_function(db, "jet_now", 0, SQLITE_UTF8, nullptr, fnNow, nullptr, nullptr);
    sqlite3_create_function(db, "jet_date", 0, SQLITE_UTF8, nullptr, fnDate, nullptr, nullptr);
    sqlite3_create_function(db, "jet_first", 1, SQLITE_UTF8, nullptr, nullptr, firstStep, firstLastFinal);
    sqlite3_create_function(db, "jet_last", 1, SQLITE_UTF8, nullptr, nullptr, lastStep, firstLastFinal);
}

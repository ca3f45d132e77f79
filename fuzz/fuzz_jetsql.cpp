// libFuzzer target for the Jet SQL translator and Jet's text rules: the
// input is translated as a statement, a condition (with and without
// parameters) and a sort; its first line is also matched by Like against
// the rest and compared with it. Any crash, sanitizer report or hang is a
// fault; DataError is the expected answer to text that is not Jet SQL.

#include "data/JetSql.h"
#include "data/JetText.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 16 * 1024)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = QString::fromUtf8(bytes);
    try { JetSql::statement(text); } catch (const DataError &) {}
    try { JetSql::condition(text); } catch (const DataError &) {}
    try { JetSql::conditionWithParams(text); } catch (const DataError &) {}
    try { JetSql::orderBy(text); } catch (const DataError &) {}
    const qsizetype nl = text.indexOf(QLatin1Char('\n'));
    if (nl >= 0)
        jettext::like(QStringView(text).left(nl), QStringView(text).mid(nl + 1));
    const qsizetype cut = bytes.indexOf('\n');
    if (cut >= 0)
        jettext::compare(bytes.constData(), int(cut), bytes.constData() + cut + 1, int(size - cut - 1));
    return 0;
}

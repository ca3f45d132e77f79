// libFuzzer target for the product import's line parser: the input is an
// import file. Its lines are read as the import reads them and each is
// parsed with the fields ticked when the dialog opens and with all fields,
// then shown as the preview shows it. Any crash or sanitizer report is a
// fault, and so is a parsed number that is negative or not finite (only
// digits and one point are accepted); a refused line is an expected answer.

#include "catalogue/import/ImportFields.h"
#include "catalogue/import/ImportTextFile.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ImportTextFile file;
    file.setContent(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    QVector<int> every;
    for (const ImportFieldInfo &f : importFields())
        every << f.code;
    for (const QString &line : file.lines()) {
        for (const QVector<int> &codes : {defaultImportCodes(), every}) {
            ImportedProduct p;
            if (!parseImportLine(line, QLatin1Char(';'), codes, p))
                continue;
            for (double v : {p.disponibilita, p.prezzo[0], p.prezzo[1], p.prezzo[2], p.prezzo[3], p.iva,
                             p.peso, p.sconto, p.prezzoPromozionale, double(p.categoria)})
                if (!std::isfinite(v) || v < 0)
                    std::abort();
            for (int code : codes)
                (void)p.displayText(code);
        }
    }
    return 0;
}

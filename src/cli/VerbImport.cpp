// zanfira-cli import PROJECTDIR FILE [--fields F1,F2,...] [--separator C]
//                    [--language CODE] [--obsolete delete|deactivate]
// Runs the product import of "Import dati esterni" without windows: the same
// engine, the same copy of the database swapped in only on success.
#include "CliVerb.h"
#include "ProjectArguments.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "catalogue/import/ProductImport.h"
#include "project/ProjectFolder.h"

#include <QFileInfo>
#include <QTextStream>

namespace {

const char *const kUsage =
    "import CARTELLA_PROGETTO FILE [--fields CAMPO,CAMPO,...] [--separator C] "
    "[--language CODICE] [--obsolete delete|deactivate]";

QString fieldNames()
{
    QStringList names;
    for (const ImportFieldInfo &f : importFields())
        names << QString::fromLatin1(f.cliName);
    return names.join(QStringLiteral(", "));
}

// The field sequence must hold the mandatory fields and a description, once each.
QString checkCodes(const QVector<int> &codes)
{
    bool description = false;
    for (int i = 0; i < codes.size(); ++i) {
        if (codes.indexOf(codes[i]) != i)
            return QStringLiteral("Campo ripetuto: %1").arg(QString::fromLatin1(importFieldByCode(codes[i]).cliName));
        description = description || isDescriptionImportField(codes[i]);
    }
    for (const ImportFieldInfo &f : importFields()) {
        if (isMandatoryImportField(f.code) && !codes.contains(f.code))
            return ImportFieldList::mandatoryText(QString::fromUtf8(f.listName));
    }
    if (!description)
        return ImportFieldList::LastDescriptionText;
    return QString();
}

int runImport(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList positional;
    ImportOptions options;
    QString language;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        auto value = [&](QString *target) {
            if (i + 1 >= arguments.size())
                return false;
            *target = arguments.at(++i);
            return true;
        };
        QString v;
        if (a == QLatin1String("--fields")) {
            if (!value(&v))
                break;
            options.codes.clear();
            for (const QString &name : v.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                const int code = importFieldCodeByName(name.trimmed());
                if (code < 0) {
                    err << "Campo sconosciuto: " << name << "\nCampi: " << fieldNames() << "\n";
                    return 2;
                }
                options.codes << code;
            }
        } else if (a == QLatin1String("--separator")) {
            if (!value(&v) || v.size() != 1) {
                err << "--separator vuole un solo carattere\n";
                return 2;
            }
            options.separator = v.at(0);
        } else if (a == QLatin1String("--language")) {
            if (!value(&language))
                break;
        } else if (a == QLatin1String("--obsolete")) {
            if (!value(&v))
                break;
            if (v == QLatin1String("delete"))
                options.obsolete = ImportOptions::Obsolete::Delete;
            else if (v == QLatin1String("deactivate"))
                options.obsolete = ImportOptions::Obsolete::Deactivate;
            else {
                err << "--obsolete vuole delete o deactivate\n";
                return 2;
            }
        } else if (a.startsWith(QLatin1String("--"))) {
            err << "Opzione sconosciuta: " << a << "\nUso: zanfira-cli " << kUsage << "\n";
            return 2;
        } else {
            positional << a;
        }
    }
    if (positional.size() != 2) {
        err << "Uso: zanfira-cli " << kUsage << "\nCampi: " << fieldNames() << "\n";
        return 2;
    }
    const QString problem = checkCodes(options.codes);
    if (!problem.isEmpty()) {
        err << problem << "\n";
        return 2;
    }

    const ProjectFolder project(positional.at(0));
    const auto lock = ProjectArguments::lockForWriting(project, out, err);
    if (!lock)
        return 1;
    options.file = positional.at(1);

    try {
        Database db(project.database());
        const auto languages = ProductImport::activeLanguages(db);
        if (language.isEmpty())
            language = ProductImport::defaultLanguage(db);
        bool known = false;
        for (const auto &l : languages)
            known = known || l.first.compare(language, Qt::CaseInsensitive) == 0;
        if (!known) {
            err << "Lingua non attiva nel progetto: " << language << "\n";
            return 1;
        }
    } catch (const DataError &e) {
        err << e.text() << "\n";
        return 1;
    }
    options.language = language;

    ProductImport import(project.path(), options);
    int total = 0;
    int last = -1;
    import.setProgress({nullptr, [&](int max) { total = max; },
                        [&](int pos) {
                            // One line of progress every tenth of the file.
                            const int step = total >= 10 ? pos * 10 / total : pos;
                            if (step != last) {
                                last = step;
                                err << ProductImport::lineStatusText(pos, total) << "\n";
                                err.flush();
                            }
                        },
                        nullptr});
    const ProductImport::Result result = import.run();
    for (const QString &text : ProductImport::resultTexts(result))
        (result.ok() ? out : err) << text << "\n";
    if (result.ok()) {
        out << "Linee: " << result.lines << ", prodotti nuovi: " << result.added
            << ", aggiornati: " << result.updated << ", obsoleti: " << result.obsolete << "\n";
        if (result.keptBases > 0)
            out << "Prodotti base mantenuti perché hanno varianti ancora in uso: " << result.keptBases << "\n";
    }
    return result.ok() ? 0 : 1;
}

CliVerbRegistrar registrar({QStringLiteral("import"), QString::fromLatin1(kUsage), runImport});

} // namespace

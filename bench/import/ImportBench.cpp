// Product import benchmark: 20,000 generated lines with all 22 fields
// imported into a new project by ProductImport (copy of the database,
// every line through the record sets, swap), timed against a bare SQLite
// insert of the same rows (general, language and link row per line) in one
// transaction into a copy of the same blank database, in the same run.
// The import's time includes its copy and swap of the database file.
// Goal: the import takes at most 4 times the bare insert. Each figure is the
// best of several runs (--runs, default 3); --lines changes the file size.
#include "data/Database.h"
#include "data/DatabaseFiles.h"
#include "catalogue/import/ProductImport.h"
#include "project/ProgramFolder.h"
#include "project/ProjectCreator.h"
#include "project/ProjectFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>

namespace {

int kLines = 20000;

QVector<int> allCodes()
{
    QVector<int> codes;
    for (const ImportFieldInfo &f : importFields())
        codes << f.code;
    return codes;
}

QString valueFor(int code, int i)
{
    switch (code) {
    case FieldCategoria: return QString::number(1 + i % 10);
    case FieldCodice: return QStringLiteral("ART%1").arg(i, 6, 10, QLatin1Char('0'));
    case FieldNome: return QStringLiteral("Articolo numero %1").arg(i);
    case FieldDescrizioneFattura: return QStringLiteral("Articolo %1 per fattura").arg(i);
    case FieldDescrizioneBreve: return QStringLiteral("Breve descrizione dell'articolo %1").arg(i);
    case FieldDescrizioneEstesa:
        return QStringLiteral("Descrizione estesa dell'articolo %1, con tutte le caratteristiche principali e le avvertenze d'uso.").arg(i);
    case FieldUnitaMisura: return QStringLiteral("pz");
    case FieldCodiceABarre: return QStringLiteral("80%1").arg(i, 11, 10, QLatin1Char('0'));
    case FieldDisponibilita: return QString::number(i % 500);
    case FieldPrezzo1: return QStringLiteral("%1.90").arg(10 + i % 90);
    case FieldPrezzo2: return QStringLiteral("%1.50").arg(9 + i % 90);
    case FieldPrezzo3: return QStringLiteral("%1.25").arg(8 + i % 90);
    case FieldPrezzo4: return QStringLiteral("%1.00").arg(7 + i % 90);
    case FieldIVA: return QStringLiteral("22");
    case FieldPeso: return QStringLiteral("1.250");
    case FieldAttivo: return QStringLiteral("1");
    case FieldNovita: return QString::number(i % 2);
    case FieldOfferta: return QString::number(i % 3 == 0);
    case FieldValiditaDal: return QStringLiteral("01/03/2024");
    case FieldValiditaAl: return QStringLiteral("31/12/2024");
    case FieldSconto: return QStringLiteral("10");
    case FieldPrezzoPromozionale: return QStringLiteral("%1.00").arg(5 + i % 50);
    default: return QString();
    }
}

void check(int rc, sqlite3 *db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
}

// The same rows as the import writes, inserted with prepared statements in
// one transaction, values already parsed.
qint64 bareInsert(const QString &path, const QVector<ImportedProduct> &rows)
{
    QElapsedTimer timer;
    timer.start();
    sqlite3 *db = nullptr;
    check(sqlite3_open(path.toUtf8().constData(), &db), db);
    check(sqlite3_exec(db, "PRAGMA journal_mode=WAL; BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt *gen = nullptr, *lin = nullptr, *link = nullptr;
    check(sqlite3_prepare_v2(db,
        "INSERT INTO Prodotti (ID, Ordine, Codice, CodiceABarre, Attivo, Novita, Offerta, IVA, Peso, Disponibilita, "
        "Sconto, ValiditaDal, ValiditaAl, Modificato) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,1)", -1, &gen, nullptr), db);
    check(sqlite3_prepare_v2(db,
        "INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Nome, DescrizioneFattura, DescrizioneBreve, "
        "DescrizioneEstesa, UnitaMisura, Prezzo1, Prezzo2, Prezzo3, Prezzo4, PrezzoPromozionale, Modificato) "
        "VALUES (?,?,'it',?,?,?,?,?,?,?,?,?,?,1)", -1, &lin, nullptr), db);
    check(sqlite3_prepare_v2(db, "INSERT INTO CategorieProdotti (ID, IDCategoria, IDProdotto, Modificato) VALUES (?,?,?,1)",
                             -1, &link, nullptr), db);
    auto text = [](sqlite3_stmt *s, int i, const QString &v) {
        const QByteArray b = v.toUtf8();
        sqlite3_bind_text(s, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    };
    auto date = [&](sqlite3_stmt *s, int i, const QDateTime &d) {
        if (d.isValid())
            text(s, i, d.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        else
            sqlite3_bind_null(s, i);
    };
    int id = 0;
    for (const ImportedProduct &p : rows) {
        ++id;
        sqlite3_bind_int(gen, 1, id);
        sqlite3_bind_int(gen, 2, id);
        text(gen, 3, p.codice);
        text(gen, 4, p.codiceABarre);
        sqlite3_bind_int(gen, 5, p.attivo);
        sqlite3_bind_int(gen, 6, p.novita);
        sqlite3_bind_int(gen, 7, p.offerta);
        sqlite3_bind_double(gen, 8, p.iva);
        sqlite3_bind_double(gen, 9, p.peso);
        sqlite3_bind_double(gen, 10, p.disponibilita);
        sqlite3_bind_double(gen, 11, p.sconto);
        date(gen, 12, p.validitaDal);
        date(gen, 13, p.validitaAl);
        check(sqlite3_step(gen), db);
        sqlite3_reset(gen);
        sqlite3_bind_int(lin, 1, id);
        sqlite3_bind_int(lin, 2, id);
        text(lin, 3, p.nome);
        text(lin, 4, p.descrizioneFattura);
        text(lin, 5, p.descrizioneBreve);
        text(lin, 6, p.descrizioneEstesa);
        text(lin, 7, p.unitaMisura);
        for (int k = 0; k < 4; ++k)
            sqlite3_bind_double(lin, 8 + k, p.prezzo[k]);
        sqlite3_bind_double(lin, 12, p.prezzoPromozionale);
        check(sqlite3_step(lin), db);
        sqlite3_reset(lin);
        sqlite3_bind_int(link, 1, id);
        sqlite3_bind_int(link, 2, p.categoria);
        sqlite3_bind_int(link, 3, id);
        check(sqlite3_step(link), db);
        sqlite3_reset(link);
    }
    sqlite3_finalize(gen);
    sqlite3_finalize(lin);
    sqlite3_finalize(link);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
    return timer.elapsed();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QStringList args = app.arguments();
    int runs = 3;
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--lines"))
            kLines = std::max(10, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--runs"))
            runs = std::max(1, args[i + 1].toInt());
    }
    const ProgramFolder program = ProgramFolder::fromArguments(args);
    if (!QFile::exists(program.blankDatabase())) {
        out << "blank database not found; set ZANFIRA_HOME or --program-folder\n";
        return 1;
    }
    QTemporaryDir dir;
    const ProjectFolder project(dir.filePath(QStringLiteral("bench")));
    QDir().mkpath(project.path());
    ProjectCreator::create(project, program);
    {
        sqlite3 *db = nullptr;
        sqlite3_open(project.database().toUtf8().constData(), &db);
        for (int c = 1; c <= 10; ++c)
            sqlite3_exec(db, QStringLiteral("INSERT INTO Categorie (ID, Ordine) VALUES (%1, %1)").arg(c).toUtf8().constData(),
                         nullptr, nullptr, nullptr);
        sqlite3_close(db);
        // Opened once by the program, as every project is before an import.
        Database(project.database()).close();
    }
    const QString pristine = dir.filePath(QStringLiteral("pristine.mdb"));
    DatabaseFiles::copy(project.database(), pristine);

    // The file, with all 22 fields in list order.
    const QVector<int> codes = allCodes();
    const QString file = dir.filePath(QStringLiteral("prodotti.txt"));
    QVector<ImportedProduct> parsed;
    {
        QFile f(file);
        f.open(QIODevice::WriteOnly);
        QTextStream s(&f);
        for (int i = 0; i < kLines; ++i) {
            QString line;
            for (int code : codes)
                line += valueFor(code, i) + QLatin1Char(';');
            s << line << "\r\n";
            ImportedProduct p;
            if (!parseImportLine(line, QLatin1Char(';'), codes, p)) {
                out << "generated line " << i + 1 << " does not parse\n";
                return 1;
            }
            parsed << p;
        }
    }

    // Each run starts from the same database: the baseline on a copy of it,
    // the import on the project itself.
    qint64 bare = -1, imported = -1;
    int added = 0;
    for (int run = 0; run < runs; ++run) {
        const QString baselineDb = dir.filePath(QStringLiteral("baseline.mdb"));
        QFile::remove(baselineDb);
        DatabaseFiles::copy(pristine, baselineDb);
        const qint64 b = bareInsert(baselineDb, parsed);
        bare = bare < 0 ? b : std::min(bare, b);

        DatabaseFiles::copy(pristine, project.database());
        ImportOptions options;
        options.file = file;
        options.codes = codes;
        options.language = QStringLiteral("it");
        ProductImport import(project.path(), options);
        QElapsedTimer timer;
        timer.start();
        const ProductImport::Result result = import.run();
        const qint64 t = timer.elapsed();
        if (!result.ok()) {
            out << "import failed: " << ProductImport::resultTexts(result).join(QLatin1Char(' ')) << "\n";
            return 1;
        }
        imported = imported < 0 ? t : std::min(imported, t);
        added = result.added;
    }
    out << "lines:          " << kLines << " (22 fields), best of " << runs << " runs\n";
    out << "bare insert:    " << bare << " ms\n";
    out << "product import: " << imported << " ms (copy, " << added << " products, swap)\n";
    const double ratio = bare > 0 ? double(imported) / double(std::max<qint64>(bare, 1)) : 0;
    out << "ratio:          " << QString::number(ratio, 'f', 2) << " (goal: at most 4)\n";
    out << "RESULT\timport " << kLines << " lines / bare insert\t" << QString::number(ratio, 'f', 2) << "\t4\n";
    return 0;
}

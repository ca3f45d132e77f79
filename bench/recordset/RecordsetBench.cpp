// Record-set layer against raw SQLite (prepared statements) doing the same
// work in the same run, on a generated project database with 100,000
// products and 200,000 language rows:
//   (a) open with a filter and a sort, read five fields of every row;
//   (b) 10,000 FindFirst "ID=%d" on random keys;
//   (c) 10,000 Edit/Update of two columns in one transaction.
// Each figure is the best of several runs, in CPU time. Usage:
//   bench_recordset [--program-folder DIR] [--runs N] [--products N] [--only a|b|c]
// A smaller --products (finds and edits scale with it) keeps profiling runs short.
#include "data/Database.h"
#include "data/Recordset.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <sqlite3.h>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

namespace {

int kProducts = 100000;
int kFinds = 10000;
int kEdits = 10000;

// CPU time of this process: on a shared, loaded machine wall-clock time
// mostly measures the other processes. Everything here runs in memory.
double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double bestMs(int runs, const std::function<void()> &work)
{
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        const double t0 = cpuMs();
        work();
        best = std::min(best, cpuMs() - t0);
    }
    return best;
}

const char *kSchema = R"SQL(
CREATE TABLE IF NOT EXISTS Prodotti (ID INTEGER PRIMARY KEY, Ordine INTEGER DEFAULT 0,
  IDProdottoBase INTEGER DEFAULT 0, Codice TEXT COLLATE NOCASE, CodiceABarre TEXT COLLATE NOCASE,
  Attivo BOOLEAN DEFAULT 0, Novita BOOLEAN DEFAULT 0, Mailing BOOLEAN DEFAULT 0, Offerta BOOLEAN DEFAULT 0,
  TipoOfferta INTEGER DEFAULT 0, IVA REAL DEFAULT 0, Peso REAL DEFAULT 0, Confezione REAL DEFAULT 0,
  Disponibilita REAL DEFAULT 0, Sconto REAL DEFAULT 0, ValiditaDal DATETIME, ValiditaAl DATETIME,
  IDTabellaTaglie INTEGER DEFAULT 0, TagliaDa INTEGER DEFAULT -1, TagliaA INTEGER DEFAULT -1,
  Immagine BOOLEAN DEFAULT 0, VersioneImmagine INTEGER DEFAULT 0, Modificato BOOLEAN DEFAULT 0);
CREATE TABLE IF NOT EXISTS ProdottiLingue (ID INTEGER PRIMARY KEY, IDProdotto INTEGER DEFAULT 0,
  CodiceLingua TEXT COLLATE NOCASE, Nome TEXT COLLATE NOCASE, DescrizioneFattura TEXT COLLATE NOCASE,
  DescrizioneBreve TEXT COLLATE NOCASE, DescrizioneEstesa TEXT COLLATE NOCASE, UnitaMisura TEXT COLLATE NOCASE,
  Prezzo1 REAL DEFAULT 0, Prezzo2 REAL DEFAULT 0, Prezzo3 REAL DEFAULT 0, Prezzo4 REAL DEFAULT 0,
  PrezzoPromozionale REAL DEFAULT 0, ValoriCustom TEXT COLLATE NOCASE, Ordinamento TEXT COLLATE NOCASE,
  Modificato BOOLEAN DEFAULT 0);
)SQL";

void generate(Database &db)
{
    db.executeNative(QString::fromUtf8(kSchema));
    db.executeNative(QStringLiteral("DELETE FROM Prodotti; DELETE FROM ProdottiLingue;"));
    Transaction t(db);
    db.executeNative(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<%1) "
        "INSERT INTO Prodotti (ID, Ordine, IDProdottoBase, Codice, CodiceABarre, Attivo, Novita, Offerta, IVA, Peso, "
        "ValiditaDal, Modificato) "
        "SELECT i, i, CASE WHEN i % 10 = 0 THEN i - 1 ELSE 0 END, "
        "printf('P%06d', (i * 7919) % %1), printf('80%011d', i), i % 4 <> 0, i % 7 = 0, i % 5 = 0, 22, "
        "(i % 1000) / 10.0, '2026-01-01 00:00:00', 0 FROM n")
                         .arg(kProducts));
    db.executeNative(QStringLiteral(
        "INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Nome, DescrizioneBreve, UnitaMisura, Prezzo1, "
        "Prezzo2, Modificato) "
        "SELECT ID * 2 - 1, ID, 'it', 'Prodotto ' || Codice, 'Descrizione breve del prodotto ' || ID, 'pz', "
        "ID / 100.0, ID / 90.0, 0 FROM Prodotti; "
        "INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Nome, DescrizioneBreve, UnitaMisura, Prezzo1, "
        "Prezzo2, Modificato) "
        "SELECT ID * 2, ID, 'en', 'Product ' || Codice, 'Short description of product ' || ID, 'pcs', "
        "ID / 100.0, ID / 90.0, 0 FROM Prodotti;"));
    t.commit();
}

sqlite3_stmt *prepare(sqlite3 *h, const char *sql)
{
    sqlite3_stmt *s = nullptr;
    if (sqlite3_prepare_v2(h, sql, -1, &s, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "prepare failed: %s\n%s\n", sqlite3_errmsg(h), sql);
        std::exit(1);
    }
    return s;
}

QString text(sqlite3_stmt *s, int c)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, c)), sqlite3_column_bytes(s, c));
}

struct Figure {
    const char *name;
    double raw;
    double ours;
    double goal;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int runs = 3;
    QString programFolder;
    QString only;  // one group of figures, for profiling
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--runs") && i + 1 < args.size())
            runs = std::max(1, args[++i].toInt());
        else if (args[i] == QLatin1String("--program-folder") && i + 1 < args.size())
            programFolder = args[++i];
        else if (args[i] == QLatin1String("--only") && i + 1 < args.size())
            only = args[++i];
        else if (args[i] == QLatin1String("--products") && i + 1 < args.size()) {
            kProducts = std::max(100, args[++i].toInt());
            kFinds = kEdits = std::max(10, kProducts / 10);
        }
    }
    if (programFolder.isEmpty())
        programFolder = qEnvironmentVariable("ZANFIRA_HOME");

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("database.mdb"));
    const QString blank = programFolder + QStringLiteral("/db/database.mdb");
    const bool fromBlank = !programFolder.isEmpty() && QFile::copy(blank, path);
    Database db(path, Database::OpenMode::ReadWriteCreate);
    std::printf("database: %s\n", fromBlank ? "blank project database of the program folder" : "own schema");
    generate(db);
    sqlite3 *h = db.handle();
    std::printf("rows: %d products, %d language rows; best of %d runs\n\n",
                db.scalar(QStringLiteral("SELECT Count(*) FROM Prodotti")).toInt(),
                db.scalar(QStringLiteral("SELECT Count(*) FROM ProdottiLingue")).toInt(), runs);

    std::vector<Figure> figures;
    volatile qint64 sink = 0;

    // (a) Filter and sort, five fields of every row.
    if (only.isEmpty() || only == QLatin1String("a")) {
        const char *sqlP = "SELECT ID, Codice, Ordine, Attivo, Peso FROM Prodotti "
                           "WHERE IDProdottoBase=0 AND Attivo=1 ORDER BY Codice";
        const double raw = bestMs(runs, [&] {
            sqlite3_stmt *s = prepare(h, sqlP);
            qint64 n = 0;
            while (sqlite3_step(s) == SQLITE_ROW) {
                QVariant id(sqlite3_column_int(s, 0));
                QVariant codice(text(s, 1));
                QVariant ordine(sqlite3_column_int(s, 2));
                QVariant attivo(sqlite3_column_int(s, 3) != 0);
                QVariant peso(sqlite3_column_double(s, 4));
                n += id.toInt() + codice.toString().size() + ordine.toInt() + attivo.toBool() + int(peso.toDouble());
            }
            sqlite3_finalize(s);
            sink = sink + n;
        });
        const double ours = bestMs(runs, [&] {
            Recordset rs(db, QStringLiteral("Prodotti"));
            rs.setFilter(QStringLiteral("IDProdottoBase=0 AND Attivo=TRUE"));
            rs.setSort(QStringLiteral("Codice"));
            rs.open();
            qint64 n = 0;
            while (!rs.isEOF()) {
                n += rs.value(QStringLiteral("ID")).toInt() + rs.value(QStringLiteral("Codice")).toString().size()
                     + rs.value(QStringLiteral("Ordine")).toInt() + rs.value(QStringLiteral("Attivo")).toBool()
                     + int(rs.value(QStringLiteral("Peso")).toDouble());
                rs.moveNext();
            }
            sink = sink + n;
        });
        figures.push_back({"(a) open Prodotti, filter+sort, 5 fields x all rows", raw, ours, 1.5});

        const char *sqlU = "SELECT ID, Codice, Ordine, Attivo, Peso FROM Prodotti WHERE IDProdottoBase=0 AND Attivo=1";
        const double rawU = bestMs(runs, [&] {
            sqlite3_stmt *s = prepare(h, sqlU);
            qint64 n = 0;
            while (sqlite3_step(s) == SQLITE_ROW) {
                QVariant id(sqlite3_column_int(s, 0));
                QVariant codice(text(s, 1));
                QVariant ordine(sqlite3_column_int(s, 2));
                QVariant attivo(sqlite3_column_int(s, 3) != 0);
                QVariant peso(sqlite3_column_double(s, 4));
                n += id.toInt() + codice.toString().size() + ordine.toInt() + attivo.toBool() + int(peso.toDouble());
            }
            sqlite3_finalize(s);
            sink = sink + n;
        });
        const double oursU = bestMs(runs, [&] {
            Recordset rs(db, QStringLiteral("Prodotti"));
            rs.setFilter(QStringLiteral("IDProdottoBase=0 AND Attivo=TRUE"));
            rs.open();
            qint64 n = 0;
            while (!rs.isEOF()) {
                n += rs.value(QStringLiteral("ID")).toInt() + rs.value(QStringLiteral("Codice")).toString().size()
                     + rs.value(QStringLiteral("Ordine")).toInt() + rs.value(QStringLiteral("Attivo")).toBool()
                     + int(rs.value(QStringLiteral("Peso")).toDouble());
                rs.moveNext();
            }
            sink = sink + n;
        });
        figures.push_back({"(a) open Prodotti, filter only, 5 fields x all rows", rawU, oursU, 1.5});

        const char *sqlL = "SELECT ID, IDProdotto, Nome, Prezzo1, Modificato FROM ProdottiLingue "
                           "WHERE CodiceLingua='it' ORDER BY Nome";
        const double rawL = bestMs(runs, [&] {
            sqlite3_stmt *s = prepare(h, sqlL);
            qint64 n = 0;
            while (sqlite3_step(s) == SQLITE_ROW) {
                QVariant id(sqlite3_column_int(s, 0));
                QVariant idp(sqlite3_column_int(s, 1));
                QVariant nome(text(s, 2));
                QVariant prezzo(sqlite3_column_double(s, 3));
                QVariant mod(sqlite3_column_int(s, 4) != 0);
                n += id.toInt() + idp.toInt() + nome.toString().size() + int(prezzo.toDouble()) + mod.toBool();
            }
            sqlite3_finalize(s);
            sink = sink + n;
        });
        const double oursL = bestMs(runs, [&] {
            Recordset rs(db, QStringLiteral("ProdottiLingue"));
            rs.setFilter(QStringLiteral("CodiceLingua='it'"));
            rs.setSort(QStringLiteral("Nome"));
            rs.open();
            qint64 n = 0;
            while (!rs.isEOF()) {
                n += rs.value(QStringLiteral("ID")).toInt() + rs.value(QStringLiteral("IDProdotto")).toInt()
                     + rs.value(QStringLiteral("Nome")).toString().size()
                     + int(rs.value(QStringLiteral("Prezzo1")).toDouble())
                     + rs.value(QStringLiteral("Modificato")).toBool();
                rs.moveNext();
            }
            sink = sink + n;
        });
        figures.push_back({"(a) open ProdottiLingue, filter+sort, 5 fields x all rows", rawL, oursL, 1.5});
    }

    // (b) FindFirst "ID=%d" on random keys.
    if (only.isEmpty() || only == QLatin1String("b")) {
        std::mt19937 rng(42);
        std::uniform_int_distribution<int> key(1, kProducts);
        std::vector<int> keys(kFinds);
        for (int &k : keys)
            k = key(rng);
        const double raw = bestMs(runs, [&] {
            sqlite3_stmt *s = prepare(h, "SELECT ID, Codice FROM Prodotti WHERE ID=?");
            qint64 n = 0;
            for (int k : keys) {
                sqlite3_bind_int(s, 1, k);
                if (sqlite3_step(s) == SQLITE_ROW)
                    n += QVariant(sqlite3_column_int(s, 0)).toInt();
                sqlite3_reset(s);
            }
            sqlite3_finalize(s);
            sink = sink + n;
        });
        for (const bool sorted : {false, true}) {
            Recordset rs(db, QStringLiteral("Prodotti"));
            if (sorted)
                rs.setSort(QStringLiteral("Codice"));
            rs.open();
            const double ours = bestMs(runs, [&] {
                qint64 n = 0;
                for (int k : keys) {
                    if (rs.findFirst(QStringLiteral("ID=%1").arg(k)))
                        n += rs.value(QStringLiteral("ID")).toInt();
                }
                sink = sink + n;
            });
            figures.push_back({sorted ? "(b) 10,000 findFirst \"ID=%d\", random keys, set sorted by Codice"
                                      : "(b) 10,000 findFirst \"ID=%d\", random keys",
                               raw, ours, 2.0});
        }
    }

    // (c) Edit/Update of two columns on 10,000 rows in one transaction.
    if (only.isEmpty() || only == QLatin1String("c")) {
        const double raw = bestMs(runs, [&] {
            Transaction t(db);
            sqlite3_stmt *sel = prepare(h, "SELECT ID, Peso FROM Prodotti WHERE IDProdottoBase=0 ORDER BY Ordine");
            sqlite3_stmt *upd = prepare(h, "UPDATE Prodotti SET Peso=?, Modificato=? WHERE ID=?");
            std::vector<std::pair<int, double>> rows;
            for (int i = 0; i < kEdits && sqlite3_step(sel) == SQLITE_ROW; ++i)
                rows.emplace_back(sqlite3_column_int(sel, 0), sqlite3_column_double(sel, 1));
            sqlite3_finalize(sel);
            for (const auto &[id, peso] : rows) {
                sqlite3_bind_double(upd, 1, peso + 1);
                sqlite3_bind_int(upd, 2, 1);
                sqlite3_bind_int(upd, 3, id);
                sqlite3_step(upd);
                sqlite3_reset(upd);
            }
            sqlite3_finalize(upd);
            t.commit();
        });
        for (const bool sorted : {true, false}) {
            const double ours = bestMs(runs, [&] {
                Transaction t(db);
                Recordset rs(db, QStringLiteral("Prodotti"));
                rs.setFilter(QStringLiteral("IDProdottoBase=0"));
                if (sorted)
                    rs.setSort(QStringLiteral("Ordine"));
                rs.open();
                for (int i = 0; i < kEdits && !rs.isEOF(); ++i) {
                    rs.edit();
                    rs.setValue(QStringLiteral("Peso"), rs.value(QStringLiteral("Peso")).toDouble() + 1);
                    rs.setValue(QStringLiteral("Modificato"), true);
                    rs.update();
                    rs.moveNext();
                }
                t.commit();
            });
            figures.push_back({sorted ? "(c) 10,000 edit/update of 2 columns, one transaction, sorted"
                                      : "(c) 10,000 edit/update of 2 columns, one transaction, unsorted",
                               raw, ours, 1.5});
        }
    }

    bool allMet = true;
    std::printf("%-72s %10s %10s %7s %6s\n", "figure", "raw ms", "ours ms", "ratio", "goal");
    for (const Figure &f : figures) {
        const double ratio = f.ours / f.raw;
        const bool met = ratio <= f.goal;
        allMet = allMet && met;
        std::printf("%-72s %10.1f %10.1f %6.2fx %5.1fx%s\n", f.name, f.raw, f.ours, ratio, f.goal,
                    met ? "" : "  NOT MET");
    }
    std::printf("\n%s\n", allMet ? "all goals met" : "some goals not met");
    for (const Figure &f : figures)
        std::printf("RESULT\t%s\t%.2f\t%.1f\n", f.name, f.ours / f.raw, f.goal);
    return 0;
}

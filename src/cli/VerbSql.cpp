// zanfira-cli sql PROJECTDIR "STATEMENT": runs one Jet SQL statement on the
// project database through the record-set layer. A SELECT prints its rows
// as tab-separated text (a line of column names, then the rows); any other
// statement prints the number of rows it changed.
#include "CliVerb.h"
#include "ProjectArguments.h"

#include "data/Database.h"
#include "data/Recordset.h"
#include "data/TabularText.h"
#include "project/ProjectFolder.h"

#include <QFileInfo>
#include <QTextStream>

namespace {

bool isSelect(const QString &statement)
{
    const QString s = statement.trimmed();
    return s.startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive)
           && (s.size() == 6 || !s[6].isLetterOrNumber());
}

int runSql(const QStringList &args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.size() != 2) {
        err << "Uso: zanfira-cli sql CARTELLA_PROGETTO \"ISTRUZIONE\"\n";
        return 1;
    }
    const ProjectFolder project(args[0]);
    const QString path = project.database();
    // A query only reads; any other statement writes, and so takes the
    // project as every writer does.
    const bool select = isSelect(args[1]);
    std::unique_ptr<ProjectLock> lock;
    if (select ? !ProjectArguments::checkReadable(project, err)
               : !(lock = ProjectArguments::lockForWriting(project, out, err)))
        return 1;
    try {
        Database db(path);
        if (select) {
            Recordset rs(db);
            rs.open(args[1]);
            TabularText::write(rs, out);
        } else {
            const int changed = db.execute(args[1]);
            out << "Righe modificate: " << changed << "\n";
        }
    } catch (const DataError &e) {
        out.flush();
        err << "Errore: " << e.message() << "\n";
        if (!e.statement().isEmpty())
            err << "Istruzione: " << e.statement() << "\n";
        return 1;
    }
    return 0;
}

CliVerbRegistrar registrar({QStringLiteral("sql"),
                            QStringLiteral("sql CARTELLA_PROGETTO \"ISTRUZIONE\""),
                            runSql});

} // namespace

#include "CliVerb.h"

#include <QCoreApplication>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

std::vector<CliVerb> &cliVerbs()
{
    static std::vector<CliVerb> verbs;
    return verbs;
}

static int usage(QTextStream &err)
{
    auto verbs = cliVerbs();
    std::sort(verbs.begin(), verbs.end(),
              [](const CliVerb &a, const CliVerb &b) { return a.name < b.name; });
    err << "Uso: zanfira-cli VERBO [ARGOMENTI]\n\n";
    for (const CliVerb &v : verbs)
        err << "  zanfira-cli " << v.usage << "\n";
    err.flush();
    return 2;
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Brellix"));
    QCoreApplication::setApplicationName(QStringLiteral("Zanfira50"));
    QTextStream err(stderr);

    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage(err);
    const QString verb = args.takeFirst();
    for (const CliVerb &v : cliVerbs()) {
        if (v.name == verb)
            return v.run(args);
    }
    err << "Verbo sconosciuto: " << verb << "\n";
    return usage(err);
}

#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// One verb of zanfira-cli. run() gets the arguments after the verb and
// returns the process exit code.
struct CliVerb {
    QString name;
    QString usage;
    std::function<int(const QStringList &args)> run;
};

std::vector<CliVerb> &cliVerbs();

// Registers a verb at static-initialisation time; used once per verb file.
struct CliVerbRegistrar {
    explicit CliVerbRegistrar(CliVerb verb) { cliVerbs().push_back(std::move(verb)); }
};

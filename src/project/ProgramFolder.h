#pragma once

#include <QString>
#include <QStringList>

// The program folder: blank databases, system pages, help. Found by the --program-folder option, then the ZANFIRA_HOME
// variable, then beside the executable (../share/zanfira when installed,
// ../programfolder in a build tree), then the current folder.
class ProgramFolder {
public:
    ProgramFolder() = default;
    explicit ProgramFolder(const QString &path);

    // Finds the folder by the rules above. option is the value of
    // --program-folder (empty when not given); executableDir defaults to the
    // running program's folder.
    static ProgramFolder locate(const QString &option = {}, const QString &executableDir = {});
    // Removes "--program-folder DIR" or "--program-folder=DIR" from args and
    // locates the folder with it. Sets *missingValue when the option has no value.
    static ProgramFolder fromArguments(QStringList &args, bool *missingValue = nullptr);

    // The folder the whole program uses (set once at start-up).
    static const ProgramFolder &current();
    static void setCurrent(const ProgramFolder &folder);

    bool isEmpty() const { return m_path.isEmpty(); }
    QString path() const { return m_path; }
    QString file(const QString &relative) const;

    QString blankDatabase() const { return file(QStringLiteral("db/database.mdb")); }
    QString blankTemplateDatabase() const { return file(QStringLiteral("db/progettografico.mdb")); }
    QString systemPages() const { return file(QStringLiteral("template/system")); }
    QString helpFile() const { return file(QStringLiteral("help/help.pdf")); }
    bool hasCdViewer() const;

private:
    QString m_path;
};

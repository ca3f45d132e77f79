#pragma once

#include "designer/OutputWriter.h"
#include "designer/TemplateModel.h"

#include <QSet>
#include <QString>

#include <functional>

// Builds the site's ASP pages from the block tree: a page node's code with
// its active children expanded in place ("##CODICEFIGLIO##"), class names
// made unique per class row, parameters applied and the stylesheets linked.
// Shared nodes go into "include<ID>.asp" files pulled in by an include
// directive. Files go to the project's website/asp folder through the
// writer, which records what was written and what could not be.
class AspGenerator {
public:
    // projectFolder: the project's folder; programFolder: the program
    // folder, whose template/ folder holds the page files.
    AspGenerator(const TemplateModel &model, const QString &projectFolder,
                 const QString &programFolder, OutputWriter &writer);

    // Called once per generated node with (step, total) for a progress bar.
    void setProgress(std::function<void(int, int)> progress) { m_progress = std::move(progress); }

    // Regenerates the page that contains the node.
    void updateAsp(int nodeId);
    // The node's generated code; with write, also its file.
    QString generateNode(int nodeId, bool write);
    // "Rigenera intero progetto": copies the system pages (all but
    // default.asp) and rebuilds every page that has children.
    void regenerateProject();

    // The stylesheet files collected for the last page.
    const QSet<QString> &stylesheets() const { return m_stylesheets; }

    static QString includeFileName(int nodeId);
    static QString includeDirective(int nodeId);

private:
    int countActive(int nodeId) const;
    void collectStylesheets(const TemplateNode &node);
    void addCategoryOf(int nodeId);
    QString readPageFile(const QString &path, bool &ok) const;
    void rewriteClassNames(QString &text, int nodeId) const;
    void applyParameters(QString &text, int nodeId) const;
    QString aspFolder() const;

    const TemplateModel &m_model;
    QString m_projectFolder;
    QString m_programFolder;
    OutputWriter &m_writer;
    std::function<void(int, int)> m_progress;
    QSet<QString> m_stylesheets;
    QSet<int> m_generating;
    int m_counter = 1;
    int m_total = 0;
};

#pragma once

#include <QString>

// Renders the user guide, written in Markdown, into an A4 PDF.
class HelpPdf {
public:
    static bool render(const QString &markdownFile, const QString &pdfFile, QString *error);
};

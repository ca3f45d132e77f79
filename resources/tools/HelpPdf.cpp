#include "HelpPdf.h"

#include <QFile>
#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <filesystem>

bool HelpPdf::render(const QString &markdownFile, const QString &pdfFile, QString *error)
{
    QFile in(markdownFile);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1").arg(markdownFile);
        return false;
    }
    const QString text = QString::fromUtf8(in.readAll());

    const QString temporary = pdfFile + QStringLiteral(".part");
    QFile::remove(temporary);
    {
        QPdfWriter writer(temporary);
        writer.setTitle(QStringLiteral("Zanfira - Guida rapida"));
        writer.setCreator(QStringLiteral("Zanfira"));
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));

        QTextDocument document;
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSizeF(10.5);
        document.setDefaultFont(font);
        document.setDefaultStyleSheet(QStringLiteral("h1, h2, h3 { color: #2b4a6f; }"));
        document.setMarkdown(text);
        document.print(&writer);
    }

    QFile out(temporary);
    if (!out.exists() || out.size() == 0) {
        *error = QStringLiteral("no PDF written to %1").arg(temporary);
        return false;
    }
    std::error_code failure;
    std::filesystem::rename(QFile::encodeName(temporary).toStdString(),
                            QFile::encodeName(pdfFile).toStdString(), failure);
    if (failure) {
        *error = QStringLiteral("cannot rename %1 to %2").arg(temporary, pdfFile);
        return false;
    }
    return true;
}

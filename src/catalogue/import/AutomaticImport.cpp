#include "catalogue/import/AutomaticImport.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "project/ProjectFolder.h"
#include "support/UiPort.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString AutomaticImport::renameFailedText(const QString &file)
{
    return QStringLiteral("Il file importato non può essere rinominato:\n%1").arg(file);
}

AutomaticImport::AutomaticImport(const QString &projectFolder, const QString &externalFolder)
    : m_project(projectFolder)
    , m_folder(externalFolder)
{
}

QStringList AutomaticImport::pendingFiles(const QString &folder)
{
    QDir dir(folder);
    dir.setNameFilters({QStringLiteral("g*.txt")});
    dir.setFilter(QDir::Files | QDir::Hidden);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    QStringList files;
    for (const QString &name : dir.entryList())
        files << dir.absoluteFilePath(name);
    return files;
}

void AutomaticImport::requestCancel()
{
    m_cancel = true;
    if (m_current)
        m_current->requestCancel();
}

AutomaticImport::Result AutomaticImport::run()
{
    Result result;
    m_cancel = false;
    const QStringList files = pendingFiles(m_folder);
    if (files.isEmpty())
        return result;

    QString language;
    try {
        Database db(ProjectFolder(m_project).database(), Database::OpenMode::ReadOnly);
        language = ProductImport::defaultLanguage(db);
    } catch (const DataError &e) {
        result.detail = ProductImport::dataErrorText(e.text());
        return result;
    }

    m_running = true;
    for (const QString &file : files) {
        if (m_cancel) {
            result.failedFile = file;
            result.last = {};
            result.last.outcome = ProductImport::Outcome::Cancelled;
            break;
        }
        ImportOptions options;
        options.file = file;
        options.language = language;
        ProductImport import(m_project, options);
        const QString name = QFileInfo(file).fileName();
        ImportProgress progress = m_progress;
        if (m_progress.status)
            progress.status = [this, name](const QString &text) { m_progress.status(name + QStringLiteral(" - ") + text); };
        import.setProgress(progress);
        m_current = &import;
        result.last = import.run();
        m_current = nullptr;
        if (!result.last.ok()) {
            result.failedFile = file;
            break;
        }
        const QString done = file + DoneSuffix;
        QFile::remove(done);
        if (!QFile::rename(file, done)) {
            result.detail = renameFailedText(file);
            break;
        }
        result.imported << file;
    }
    m_running = false;
    return result;
}

void AutomaticImport::tellResult(const Result &result)
{
    if (!result.detail.isEmpty()) {
        ui().tell(ProductImport::ResultTitle, result.detail, UiPort::Icon::Stop);
        return;
    }
    if (!result.failedFile.isEmpty()) {
        ProductImport::tellResult(result.last);
        return;
    }
    if (result.imported.isEmpty()) {
        ui().tell(ProductImport::ResultTitle, NothingText, UiPort::Icon::Information);
        return;
    }
    ui().tell(ProductImport::ResultTitle, ProductImport::SuccessText, UiPort::Icon::Information);
}

#include "editors/catalogue/import/CImportAutomaticoDlg.h"

#include "catalogue/import/AutomaticImport.h"
#include "support/LongOperation.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CImportAutomaticoDlg::CImportAutomaticoDlg(const QString &projectFolder, const QString &externalFolder,
                                           QWidget *parent)
    : QDialog(parent)
    , m_project(projectFolder)
    , m_folder(externalFolder)
    , m_status(new QLabel(this))
    , m_progress(new QProgressBar(this))
    , m_cancel(new QPushButton(QStringLiteral("Annulla"), this))
{
    setWindowTitle(QStringLiteral("Import automatico"));
    m_status->clear();
    m_status->setMinimumWidth(360);
    m_progress->setTextVisible(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    connect(m_cancel, &QPushButton::clicked, this, &CImportAutomaticoDlg::cancel);
}

void CImportAutomaticoDlg::cancel()
{
    if (m_import)
        m_import->requestCancel();
}

void CImportAutomaticoDlg::reject()
{
    // Closing the window while the import runs means "Annulla".
    if (m_import)
        cancel();
    else
        QDialog::reject();
}

bool CImportAutomaticoDlg::runImport()
{
    LongOperation operation;
    AutomaticImport import(m_project, m_folder);
    import.setProgress({[this](const QString &text) { m_status->setText(text); },
                        [this](int max) { m_progress->setRange(0, max); m_progress->setValue(0); },
                        [this](int pos) { m_progress->setValue(pos); },
                        [&operation] { operation.pump(); }});
    m_import = &import;
    const AutomaticImport::Result result = import.run();
    m_import = nullptr;
    AutomaticImport::tellResult(result);
    return result.ok();
}

void runAutomaticImport(QWidget *parent, const QString &projectFolder, const QString &externalFolder)
{
    CImportAutomaticoDlg dlg(projectFolder, externalFolder, parent);
    dlg.setModal(false);
    dlg.show();
    if (parent)
        dlg.move(parent->geometry().center() - dlg.rect().center());
    LongOperation::pumpNow();
    dlg.runImport();
}

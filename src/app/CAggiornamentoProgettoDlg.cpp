#include "CAggiornamentoProgettoDlg.h"

#include "support/LongOperation.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CAggiornamentoProgettoDlg::CAggiornamentoProgettoDlg(DatabaseUpgrade &upgrade, QWidget *parent)
    : QDialog(parent)
    , m_upgrade(upgrade)
    , m_tableLabel(new QLabel(DatabaseUpgrade::TableLabel, this))
    , m_recordLabel(new QLabel(DatabaseUpgrade::RecordLabel, this))
    , m_tableBar(new QProgressBar(this))
    , m_recordBar(new QProgressBar(this))
    , m_cancel(new QPushButton(QStringLiteral("Annulla"), this))
{
    setWindowTitle(DatabaseUpgrade::Title);
    setMinimumWidth(420);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tableLabel);
    layout->addWidget(m_tableBar);
    layout->addWidget(m_recordLabel);
    layout->addWidget(m_recordBar);
    layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    m_tableBar->setTextVisible(false);
    m_recordBar->setTextVisible(false);
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_upgrade.cancel(); });
}

void CAggiornamentoProgettoDlg::reject()
{
    // Escape or the title bar's close act as "Annulla" while the upgrade
    // runs; the dialog itself is closed by its owner.
    if (m_running)
        m_upgrade.cancel();
    else
        QDialog::reject();
}

DatabaseUpgrade::Result CAggiornamentoProgettoDlg::runUpgrade()
{
    m_tableLabel->clear();
    m_recordLabel->clear();
    m_tableBar->reset();
    m_recordBar->reset();

    LongOperation operation;
    DatabaseUpgrade::Progress progress;
    progress.tableLabel = [this](const QString &text) { m_tableLabel->setText(text); };
    progress.tableRange = [this](int lo, int hi) { m_tableBar->setRange(lo, std::max(lo, hi)); };
    progress.tablePosition = [this](int v) { m_tableBar->setValue(v); };
    progress.recordLabel = [this](const QString &text) { m_recordLabel->setText(text); };
    progress.recordRange = [this](int lo, int hi) {
        m_recordBar->setRange(lo, std::max(lo, hi));
    };
    progress.recordPosition = [this](int v) { m_recordBar->setValue(v); };
    progress.pump = [this, &operation] {
        operation.pump();
        if (m_rowHook)
            m_rowHook();
    };
    m_upgrade.setProgress(progress);

    m_running = true;
    const DatabaseUpgrade::Result result = m_upgrade.run();
    m_running = false;
    return result;
}

#include "CProgettiDlg.h"

#include "CSelezioneDirectoryDlg.h"
#include "project/FolderPathCheck.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CProgettiDlg::CProgettiDlg(const QStringList &recent, QWidget *parent)
    : QDialog(parent)
    , m_create(new QRadioButton(QStringLiteral("Crea nuovo progetto"), this))
    , m_open(new QRadioButton(QStringLiteral("Apri progetto esistente"), this))
    , m_list(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("Progetti"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_create);
    layout->addWidget(m_open);
    layout->addWidget(m_list);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QDialogButtonBox::Ok)->setText(QStringLiteral("Ok"));
    buttons->addButton(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    layout->addWidget(buttons);
    m_list->setMinimumWidth(380);

    m_list->addItem(OtherProjects);
    m_list->addItems(recent);

    connect(buttons, &QDialogButtonBox::accepted, this, &CProgettiDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_create, &QRadioButton::clicked, this, [this] { setChoice(CreateNew); });
    connect(m_open, &QRadioButton::clicked, this, [this] {
        setChoice(OpenExisting);
        m_list->setCurrentRow(0);
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { accept(); });

    if (!recent.isEmpty()) {
        setChoice(OpenExisting);
        m_list->setCurrentRow(1);
    } else {
        setChoice(CreateNew);
    }
}

void CProgettiDlg::setChoice(Choice choice)
{
    m_choice = choice;
    m_create->setChecked(choice == CreateNew);
    m_open->setChecked(choice == OpenExisting);
    m_list->setEnabled(choice == OpenExisting);
}

void CProgettiDlg::accept()
{
    m_folder.clear();
    if (m_choice == OpenExisting) {
        const int row = m_list->currentRow();
        if (row <= 0) {
            m_folder = CSelezioneDirectoryDlg::choose(FolderPathCheck::Title,
                                                      FolderPathCheck::OpenPrompt, QString(),
                                                      false, this);
        } else {
            m_folder = m_list->item(row)->text();
        }
    }
    QDialog::accept();
}

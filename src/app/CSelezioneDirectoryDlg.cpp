#include "CSelezioneDirectoryDlg.h"

#include "QtUiPort.h"
#include "project/FolderPathCheck.h"
#include "support/UiPort.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

CSelezioneDirectoryDlg::CSelezioneDirectoryDlg(const QString &title, const QString &prompt,
                                               const QString &startFolder, bool typingBox,
                                               QWidget *owner)
    : QDialog(owner)
    , m_model(new QFileSystemModel(this))
    , m_tree(new QTreeView(this))
    , m_status(new QLabel(this))
    , m_edit(new QLineEdit(this))
    , m_buttons(new QDialogButtonBox(this))
    , m_typing(typingBox)
{
    setWindowTitle(title);
    auto *layout = new QVBoxLayout(this);
    if (!prompt.isEmpty())
        layout->addWidget(new QLabel(prompt, this));

    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath(QDir::rootPath());
    m_tree->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        m_tree->hideColumn(c);
    m_tree->header()->hide();
    m_tree->setSortingEnabled(true);
    m_tree->sortByColumn(0, Qt::AscendingOrder);
    m_tree->setMinimumSize(360, 300);
    layout->addWidget(m_tree, 1);

    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_status->setWordWrap(true);
    layout->addWidget(m_status);

    m_edit->setMaxLength(FolderPathCheck::MaxTypedLength);
    m_edit->setVisible(typingBox);
    layout->addWidget(m_edit);

    m_buttons->addButton(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    m_buttons->addButton(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CSelezioneDirectoryDlg::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { selectionChanged(); });
    connect(m_edit, &QLineEdit::textEdited, this, &CSelezioneDirectoryDlg::typed);

    const QString start = startFolder.isEmpty() ? QDir::currentPath() : startFolder;
    const QModelIndex index = m_model->index(QDir::cleanPath(start));
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
    if (index.isValid()) {
        m_tree->setCurrentIndex(index);
        m_tree->scrollTo(index);
        m_tree->expand(index);
    }
    selectionChanged();
}

bool CSelezioneDirectoryDlg::isOkEnabled() const
{
    return m_buttons->button(QDialogButtonBox::Ok)->isEnabled();
}

void CSelezioneDirectoryDlg::selectionChanged()
{
    const QModelIndex index = m_tree->currentIndex();
    const QString path = index.isValid() ? QDir::toNativeSeparators(m_model->filePath(index))
                                         : QString();
    m_status->setText(path);
    m_edit->setText(path);
    // Only a folder of the file system can be chosen.
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!path.isEmpty()
                                                        && QDir::isAbsolutePath(path));
}

void CSelezioneDirectoryDlg::typed(const QString &text)
{
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!text.isEmpty());
}

void CSelezioneDirectoryDlg::accept()
{
    QString path = m_typing ? m_edit->text() : m_status->text();
    path = QDir::fromNativeSeparators(path);
    if (!FolderPathCheck::accept(path, ui())) {
        if (m_typing)
            m_edit->setFocus();
        return;
    }
    m_folder = path;
    QDialog::accept();
}

QString CSelezioneDirectoryDlg::choose(const QString &title, const QString &prompt,
                                       const QString &startFolder, bool typingBox,
                                       QWidget *owner)
{
    if (dynamic_cast<QtUiPort *>(&ui())) {
        CSelezioneDirectoryDlg dlg(title, prompt, startFolder, typingBox, owner);
        return dlg.exec() == QDialog::Accepted ? dlg.folder() : QString();
    }
    // Another port (a script, a test) answers with paths; each one goes
    // through the checks of the OK button until one passes or it cancels.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = ui().chooseFolder(title, startFolder);
        if (path.isEmpty())
            return {};
        if (FolderPathCheck::accept(path, ui()))
            return path;
    }
    return {};
}

#include "CNuovoProgettoDlg.h"

#include "CSelezioneDirectoryDlg.h"
#include "project/FolderPathCheck.h"
#include "project/ProjectNameRule.h"
#include "support/UiPort.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

namespace {

// Lets only acceptable project names be typed: a refused character or a
// 16th character never reaches the field.
class ProjectNameValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        return ProjectNameRule::isAcceptable(input) ? Acceptable : Invalid;
    }
};

} // namespace

CNuovoProgettoDlg::CNuovoProgettoDlg(const QString &baseFolder, QWidget *parent)
    : QDialog(parent)
    , m_base(QDir::toNativeSeparators(QDir::cleanPath(baseFolder)))
    , m_name(new QLineEdit(this))
    , m_directory(new QLineEdit(this))
    , m_browse(new QPushButton(QStringLiteral("Sfoglia"), this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
{
    setWindowTitle(ProjectNameRule::DialogTitle);
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Nome"), this), 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Directory"), this), 1, 0);
    grid->addWidget(m_directory, 1, 1);
    grid->addWidget(m_browse, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto *cancel = new QPushButton(QStringLiteral("Annulla"), this);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 2, 0, 1, 3);
    m_directory->setMinimumWidth(320);

    m_name->setMaxLength(ProjectNameRule::MaxNameLength);
    m_name->setValidator(new ProjectNameValidator(m_name));
    m_directory->setMaxLength(ProjectNameRule::MaxDirectoryLength);
    m_directory->setText(m_base);
    m_ok->setDefault(true);
    m_ok->setEnabled(false);

    connect(m_name, &QLineEdit::textChanged, this, [this] {
        rebuildDirectory();
        m_ok->setEnabled(!m_name->text().isEmpty());
    });
    connect(m_browse, &QPushButton::clicked, this, &CNuovoProgettoDlg::browse);
    connect(m_ok, &QPushButton::clicked, this, &CNuovoProgettoDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CNuovoProgettoDlg::rebuildDirectory()
{
    m_directory->setText(QDir::toNativeSeparators(
        ProjectNameRule::directoryFor(QDir::fromNativeSeparators(m_base), m_name->text())));
}

void CNuovoProgettoDlg::browse()
{
    const QString chosen = CSelezioneDirectoryDlg::choose(
        FolderPathCheck::Title, FolderPathCheck::NewPrompt, m_base, true, this);
    if (chosen.isEmpty())
        return;
    m_base = QDir::toNativeSeparators(QDir::cleanPath(chosen));
    rebuildDirectory();
}

void CNuovoProgettoDlg::accept()
{
    const QString path = QDir::fromNativeSeparators(m_directory->text());
    if (m_name->text().isEmpty())
        return;
    if (!ProjectNameRule::createProjectDirectory(path)) {
        ui().tell(ProjectNameRule::CreateFailedTitle, ProjectNameRule::CreateFailedText,
                  UiPort::Icon::Stop);
        return;
    }
    m_result = QDir::cleanPath(path);
    QDialog::accept();
}

#include "editors/catalogue/import/CImportaProdottiDlg.h"

#include "controls/CEditableGrid.h"
#include "data/DataError.h"
#include "data/Database.h"
#include "editors/catalogue/import/CIdCategorieDlg.h"
#include "catalogue/import/ProductImport.h"
#include "support/LongOperation.h"
#include "support/UiPort.h"
#include "support/ValidationTexts.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

} // namespace

CImportaProdottiDlg::CImportaProdottiDlg(Database &db, const QString &projectFolder,
                                         const QString &currentLanguage, QWidget *parent)
    : QDialog(parent)
    , m_db(db)
    , m_project(projectFolder)
    , m_language(currentLanguage)
{
    setWindowTitle(QStringLiteral("Import dati esterni"));

    m_file = new QLineEdit(this);
    auto *browseButton = new QPushButton(QStringLiteral("Sfoglia"), this);
    m_languages = new QComboBox(this);
    m_fields = new QListWidget(this);
    m_up = new QPushButton(QStringLiteral("Su"), this);
    m_down = new QPushButton(QStringLiteral("Giù"), this);
    m_obsolete = new QGroupBox(QStringLiteral("Gestione prodotti obsoleti"), this);
    m_obsolete->setCheckable(true);
    m_obsolete->setChecked(false);
    m_delete = new QRadioButton(QStringLiteral("Elimina"), m_obsolete);
    m_deactivate = new QRadioButton(QStringLiteral("Disattiva"), m_obsolete);
    m_delete->setChecked(true);
    m_separator = new QLineEdit(QStringLiteral(";"), this);
    m_separator->setMaxLength(1);
    m_separator->setMaximumWidth(40);
    auto *idsButton = new QPushButton(QStringLiteral("ID Categorie"), this);
    m_preview = new CEditableGrid(this);
    m_status = new QLabel(this);
    m_progress = new QProgressBar(this);
    m_progress->setTextVisible(false);
    m_start = new QPushButton(QStringLiteral("Avvio"), this);
    m_cancel = new QPushButton(QStringLiteral("Annulla"), this);

    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(browseButton);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Nome file"), fileRow);
    form->addRow(QStringLiteral("Lingua da importare"), m_languages);
    auto *sepRow = new QHBoxLayout;
    sepRow->addWidget(m_separator);
    sepRow->addStretch(1);
    sepRow->addWidget(idsButton);
    form->addRow(QStringLiteral("Separatore"), sepRow);

    auto *fieldsBox = new QGroupBox(QStringLiteral("Campi importabili"), this);
    auto *fieldsLayout = new QHBoxLayout(fieldsBox);
    fieldsLayout->addWidget(m_fields, 1);
    auto *moveButtons = new QVBoxLayout;
    moveButtons->addWidget(m_up);
    moveButtons->addWidget(m_down);
    moveButtons->addStretch(1);
    fieldsLayout->addLayout(moveButtons);

    auto *obsoleteLayout = new QVBoxLayout(m_obsolete);
    obsoleteLayout->addWidget(m_delete);
    obsoleteLayout->addWidget(m_deactivate);
    obsoleteLayout->addStretch(1);

    auto *middle = new QHBoxLayout;
    middle->addWidget(fieldsBox, 2);
    middle->addWidget(m_obsolete, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_progress, 1);
    buttons->addWidget(m_start);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(middle);
    layout->addWidget(m_preview, 1);
    layout->addWidget(m_status);
    layout->addLayout(buttons);
    resize(760, 620);

    // Languages: the active ones, the configured default preselected.
    try {
        const QString preferred = ProductImport::defaultLanguage(m_db);
        for (const auto &l : ProductImport::activeLanguages(m_db))
            m_languages->addItem(l.second, l.first);
        const int row = m_languages->findData(preferred);
        m_languages->setCurrentIndex(row >= 0 ? row : 0);
    } catch (const DataError &e) {
        ui().tell(ProductImport::ResultTitle, ProductImport::dataErrorText(e.text()), UiPort::Icon::Stop);
    }

    fillFieldList();
    m_preview->setHeader(importHeaderText(m_list.codes()));

    connect(browseButton, &QPushButton::clicked, this, &CImportaProdottiDlg::browse);
    connect(m_up, &QPushButton::clicked, this, &CImportaProdottiDlg::moveUp);
    connect(m_down, &QPushButton::clicked, this, &CImportaProdottiDlg::moveDown);
    connect(idsButton, &QPushButton::clicked, this, &CImportaProdottiDlg::showCategoryIds);
    connect(m_start, &QPushButton::clicked, this, &CImportaProdottiDlg::start);
    connect(m_cancel, &QPushButton::clicked, this, &CImportaProdottiDlg::cancelOrClose);
    connect(m_fields, &QListWidget::itemChanged, this, &CImportaProdottiDlg::onItemChanged);
    connect(m_fields, &QListWidget::currentRowChanged, this, [this] { updateMoveButtons(); });
    connect(m_separator, &QLineEdit::textEdited, this, [this] {
        if (!m_file->text().isEmpty())
            refreshPreview();
    });
    updateMoveButtons();
}

CImportaProdottiDlg::~CImportaProdottiDlg() = default;

void CImportaProdottiDlg::fillFieldList()
{
    m_filling = true;
    const int current = m_fields->currentRow();
    m_fields->clear();
    for (int row = 0; row < m_list.count(); ++row) {
        auto *item = new QListWidgetItem(m_list.nameAt(row), m_fields);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(m_list.isChecked(row) ? Qt::Checked : Qt::Unchecked);
    }
    m_fields->setCurrentRow(current);
    m_filling = false;
}

void CImportaProdottiDlg::onItemChanged(QListWidgetItem *item)
{
    if (m_filling)
        return;
    const int row = m_fields->row(item);
    const bool checked = item->checkState() == Qt::Checked;
    const ImportFieldList::Toggle result = m_list.setChecked(row, checked);
    if (result != ImportFieldList::Toggle::Done) {
        m_filling = true;
        item->setCheckState(Qt::Checked);
        m_filling = false;
        ImportFieldList::tellRefusal(result, m_list.nameAt(row));
    }
    refreshPreview();
}

void CImportaProdottiDlg::updateMoveButtons()
{
    const int row = m_fields->currentRow();
    m_up->setEnabled(m_list.canMoveUp(row));
    m_down->setEnabled(m_list.canMoveDown(row));
}

void CImportaProdottiDlg::moveUp()
{
    const int row = m_list.moveUp(m_fields->currentRow());
    fillFieldList();
    m_fields->setCurrentRow(row);
    refreshPreview();
}

void CImportaProdottiDlg::moveDown()
{
    const int row = m_list.moveDown(m_fields->currentRow());
    fillFieldList();
    m_fields->setCurrentRow(row);
    refreshPreview();
}

void CImportaProdottiDlg::setFileName(const QString &file)
{
    m_file->setText(file);
    refreshPreview();
}

void CImportaProdottiDlg::setSeparator(const QString &separator)
{
    m_separator->setText(separator);
    if (!m_file->text().isEmpty())
        refreshPreview();
}

void CImportaProdottiDlg::setLanguage(const QString &code)
{
    const int row = m_languages->findData(code);
    if (row >= 0)
        m_languages->setCurrentIndex(row);
}

void CImportaProdottiDlg::setObsolete(int option)
{
    m_obsolete->setChecked(option >= 0);
    if (option == 1)
        m_deactivate->setChecked(true);
    else
        m_delete->setChecked(true);
}

void CImportaProdottiDlg::browse()
{
    const QString start = m_file->text().isEmpty() ? m_project : QFileInfo(m_file->text()).absolutePath();
    const QString file = ui().chooseOpenFile(QStringLiteral("Apri"), start, FileFilter);
    if (!file.isEmpty())
        setFileName(file);
}

void CImportaProdottiDlg::showCategoryIds()
{
    auto *dlg = new CIdCategorieDlg(m_db, m_language, this);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->show();
}

void CImportaProdottiDlg::refreshPreview()
{
    updateMoveButtons();
    const QVector<int> codes = m_list.codes();
    m_preview->removeAllRows();
    m_preview->setHeader(importHeaderText(codes));
    for (int c = 0; c < codes.size(); ++c)
        m_preview->setupColumn(c, codes.at(c) == FieldCategoria ? 40 : 110, CEditableGrid::ReadOnly);
    if (m_file->text().isEmpty() || m_separator->text().isEmpty())
        return;
    const ImportPreview preview = ImportPreview::build(m_file->text(), m_separator->text().at(0), codes);
    for (const QStringList &row : preview.rows)
        m_preview->addRow(row.join(QLatin1Char('\t')), 0);
    if (preview.formatError)
        ui().tell(ImportFieldList::SelectionTitle, preview.formatErrorText(), UiPort::Icon::Stop);
}

void CImportaProdottiDlg::start()
{
    if (m_import)
        return;
    if (m_file->text().trimmed().isEmpty()) {
        ui().tell(ValidationTexts::Title, ValidationTexts::Mandatory, UiPort::Icon::Stop);
        m_file->setFocus();
        return;
    }
    if (m_separator->text().isEmpty()) {
        ui().tell(ValidationTexts::Title, ValidationTexts::Mandatory, UiPort::Icon::Stop);
        m_separator->setFocus();
        return;
    }
    ImportOptions options;
    options.file = m_file->text().trimmed();
    options.separator = m_separator->text().at(0);
    options.codes = m_list.codes();
    options.language = m_languages->currentData().toString();
    options.obsolete = !m_obsolete->isChecked() ? ImportOptions::Obsolete::Keep
        : m_deactivate->isChecked()             ? ImportOptions::Obsolete::Deactivate
                                                : ImportOptions::Obsolete::Delete;

    m_start->setEnabled(false);
    LongOperation operation;
    ProductImport import(m_project, options);
    import.setLiveDatabase(&m_db);
    import.setProgress({[this](const QString &text) { m_status->setText(text); },
                        [this](int max) { m_progress->setRange(0, max); m_progress->setValue(0); },
                        [this](int pos) { m_progress->setValue(pos); },
                        [&operation] { operation.pump(); }});
    m_import = &import;
    const ProductImport::Result result = import.run();
    m_import = nullptr;
    ProductImport::tellResult(result);
    accept();
}

void CImportaProdottiDlg::cancelOrClose()
{
    if (m_import)
        m_import->requestCancel();
    else
        QDialog::reject();
}

void CImportaProdottiDlg::reject()
{
    // Escape and the window's close button act as "Annulla".
    cancelOrClose();
}

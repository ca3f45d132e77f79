#include "ProductFilesPage.h"

#include "catalogue/ProductFiles.h"
#include "controls/CValidatedEdit.h"
#include "support/UiPort.h"
#include "support/ValidationTexts.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>

namespace {
const QString kFilesTitle = QStringLiteral("Files");
} // namespace

ProductFilesPage::ProductFilesPage(ProductFiles &files, std::function<int()> productId, QWidget *parent)
    : QWidget(parent), m_files(files), m_productId(std::move(productId))
{
    auto *grid = new QGridLayout(this);
    m_list = new QListWidget(this);
    m_code = CValidatedEdit::create(this, QStringLiteral("codiceFile"), 0, 50, 0, 0);
    auto *add = new QPushButton(QStringLiteral("Inserisci"), this);
    auto *choose = new QPushButton(QStringLiteral("Modifica"), this);
    auto *remove = new QPushButton(QStringLiteral("Cancella"), this);
    auto *open = new QPushButton(QStringLiteral("Apri"), this);
    grid->addWidget(m_list, 0, 0, 6, 1);
    grid->addWidget(new QLabel(QStringLiteral("Codice file"), this), 0, 1);
    grid->addWidget(m_code, 1, 1);
    grid->addWidget(add, 2, 1);
    grid->addWidget(choose, 3, 1);
    grid->addWidget(remove, 4, 1);
    grid->addWidget(open, 5, 1);
    connect(m_list, &QListWidget::currentTextChanged, this, [this](const QString &code) { m_code->SetValue(code); });
    connect(add, &QPushButton::clicked, this, [this] { addFileCode(); });
    connect(choose, &QPushButton::clicked, this, [this] { chooseFileForCode(); });
    connect(remove, &QPushButton::clicked, this, [this] { deleteFileCode(); });
    connect(open, &QPushButton::clicked, this, [this] { openFile(); });
}

void ProductFilesPage::load()
{
    clear();
    if (const int id = m_productId())
        m_list->addItems(m_files.codes(id));
}

void ProductFilesPage::clear()
{
    m_list->clear();
    m_code->Blank();
}

bool ProductFilesPage::addFileCode()
{
    QStringList listed;
    for (int i = 0; i < m_list->count(); ++i)
        listed << m_list->item(i)->text();
    const QString code = m_code->text().trimmed().toLower();
    const QString refusal = ProductFiles::checkNewCode(code, listed);
    if (!refusal.isEmpty()) {
        ui().tell(ValidationTexts::Title, refusal, UiPort::Icon::Stop);
        m_code->setFocus();
        return false;
    }
    m_list->addItem(code);
    m_list->setCurrentRow(m_list->count() - 1);
    return true;
}

bool ProductFilesPage::chooseFileForCode()
{
    QListWidgetItem *item = m_list->currentItem();
    const int productId = m_productId();
    if (!item || productId == 0)
        return false;
    const QString source = ui().chooseOpenFile(kFilesTitle, QString(), QStringLiteral("Tutti i files (*.*)"));
    if (source.isEmpty())
        return false;
    QString error;
    if (!m_files.attach(productId, item->text(), source, &error)) {
        ui().tell(kFilesTitle, QStringLiteral("Impossibile copiare il file!\n%1").arg(error), UiPort::Icon::Stop);
        return false;
    }
    return true;
}

bool ProductFilesPage::deleteFileCode()
{
    QListWidgetItem *item = m_list->currentItem();
    const int productId = m_productId();
    if (!item || productId == 0)
        return false;
    if (!ui().ask(QStringLiteral("Cancellazione file"), QStringLiteral("Confermi ?")))
        return false;
    m_files.remove(productId, item->text());
    delete item;
    m_code->Blank();
    return true;
}

bool ProductFilesPage::openFile()
{
    QListWidgetItem *item = m_list->currentItem();
    const int productId = m_productId();
    if (!item || productId == 0)
        return false;
    const QString file = m_files.firstFile(productId, item->text());
    if (file.isEmpty()) {
        ui().tell(kFilesTitle, QStringLiteral("File non trovato!"), UiPort::Icon::Exclamation);
        return false;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file))) {
        ui().tell(kFilesTitle, QStringLiteral("Impossibile aprire il file!"), UiPort::Icon::Stop);
        return false;
    }
    return true;
}

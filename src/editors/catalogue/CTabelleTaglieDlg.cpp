#include "CTabelleTaglieDlg.h"

#include "controls/CValidatedEdit.h"
#include "data/Database.h"
#include "support/UiPort.h"
#include "support/ValidationTexts.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {
const QString kTitle = QStringLiteral("Tabelle Taglie");
} // namespace

CTabelleTaglieDlg::CTabelleTaglieDlg(Database &db, QWidget *parent) : QDialog(parent), m_data(db)
{
    setWindowTitle(kTitle);
    m_tables = new QListWidget(this);
    m_sizes = new QListWidget(this);
    m_name = new CValidatedEdit(this);
    m_name->SetParam(0, 50, 0, 0);
    m_size = new CValidatedEdit(this);
    m_size->SetParam(0, 50, 0, 0);

    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Nome tabella"), this), 0, 0);
    layout->addWidget(m_name, 0, 1);
    layout->addWidget(m_tables, 1, 0, 1, 2);
    auto *tableButtons = new QHBoxLayout;
    auto *group = new QGroupBox(QStringLiteral("Dettaglio Taglie"), this);
    auto *detail = new QGridLayout(group);
    detail->addWidget(new QLabel(QStringLiteral("Taglia"), group), 0, 0);
    detail->addWidget(m_size, 0, 1);
    detail->addWidget(m_sizes, 1, 0, 1, 2);
    auto *sizeButtons = new QHBoxLayout;
    const std::pair<QString, bool (CTabelleTaglieDlg::*)()> tableActions[] = {
        {QStringLiteral("Aggiungi"), &CTabelleTaglieDlg::addTable},
        {QStringLiteral("Modifica"), &CTabelleTaglieDlg::modifyTable},
        {QStringLiteral("Elimina"), &CTabelleTaglieDlg::deleteTable}};
    const std::pair<QString, bool (CTabelleTaglieDlg::*)()> sizeActions[] = {
        {QStringLiteral("Aggiungi"), &CTabelleTaglieDlg::addSize},
        {QStringLiteral("Modifica"), &CTabelleTaglieDlg::modifySize},
        {QStringLiteral("Elimina"), &CTabelleTaglieDlg::deleteSize}};
    for (const auto &[text, action] : tableActions) {
        auto *button = new QPushButton(text, this);
        connect(button, &QPushButton::clicked, this, [this, action] { (this->*action)(); });
        tableButtons->addWidget(button);
    }
    for (const auto &[text, action] : sizeActions) {
        auto *button = new QPushButton(text, group);
        connect(button, &QPushButton::clicked, this, [this, action] { (this->*action)(); });
        sizeButtons->addWidget(button);
    }
    layout->addLayout(tableButtons, 2, 0, 1, 2);
    detail->addLayout(sizeButtons, 2, 0, 1, 2);
    layout->addWidget(group, 0, 2, 3, 1);
    auto *close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::accept);
    layout->addWidget(close, 3, 0, 1, 3);

    connect(m_tables, &QListWidget::currentRowChanged, this, [this](int row) {
        m_name->SetValue(row < 0 ? QString() : m_tables->item(row)->text());
        loadSizes();
    });
    connect(m_sizes, &QListWidget::currentRowChanged, this, [this](int row) {
        m_size->SetValue(row < 0 ? QString() : m_sizes->item(row)->text());
    });
    loadTables(0);
}

void CTabelleTaglieDlg::loadTables(int selectId)
{
    m_tables->clear();
    for (const auto &[id, name] : m_data.tables()) {
        auto *item = new QListWidgetItem(name, m_tables);
        item->setData(Qt::UserRole, id);
        if (id == selectId)
            m_tables->setCurrentItem(item);
    }
    if (m_tables->currentRow() < 0)
        loadSizes();
}

void CTabelleTaglieDlg::loadSizes()
{
    m_sizes->clear();
    const int table = currentTable();
    if (table != 0)
        m_sizes->addItems(m_data.sizes(table));
}

int CTabelleTaglieDlg::currentTable() const
{
    const QListWidgetItem *item = m_tables->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

bool CTabelleTaglieDlg::refused(const QString &text, CValidatedEdit *edit)
{
    const QString message = SizeTables::checkText(text);
    if (message.isEmpty())
        return false;
    ui().tell(ValidationTexts::Title, message, UiPort::Icon::Stop);
    edit->setFocus();
    return true;
}

bool CTabelleTaglieDlg::addTable()
{
    if (refused(m_name->text(), m_name))
        return false;
    loadTables(m_data.addTable(m_name->text()));
    return true;
}

bool CTabelleTaglieDlg::modifyTable()
{
    const int table = currentTable();
    if (table == 0 || refused(m_name->text(), m_name))
        return false;
    m_data.renameTable(table, m_name->text());
    loadTables(table);
    return true;
}

bool CTabelleTaglieDlg::deleteTable()
{
    const int table = currentTable();
    if (table == 0 || !ui().ask(kTitle, QStringLiteral("Confermi ?")))
        return false;
    m_data.deleteTable(table);
    loadTables(0);
    return true;
}

bool CTabelleTaglieDlg::addSize()
{
    const int table = currentTable();
    if (table == 0 || refused(m_size->text(), m_size))
        return false;
    QStringList sizes = m_data.sizes(table);
    sizes << m_size->text().trimmed();
    m_data.setSizes(table, sizes);
    loadSizes();
    m_sizes->setCurrentRow(m_sizes->count() - 1);
    return true;
}

bool CTabelleTaglieDlg::modifySize()
{
    const int table = currentTable();
    const int row = m_sizes->currentRow();
    if (table == 0 || row < 0 || refused(m_size->text(), m_size))
        return false;
    QStringList sizes = m_data.sizes(table);
    if (row >= sizes.size())
        return false;
    sizes[row] = m_size->text().trimmed();
    m_data.setSizes(table, sizes);
    loadSizes();
    m_sizes->setCurrentRow(row);
    return true;
}

bool CTabelleTaglieDlg::deleteSize()
{
    const int table = currentTable();
    const int row = m_sizes->currentRow();
    if (table == 0 || row < 0 || !ui().ask(kTitle, QStringLiteral("Confermi ?")))
        return false;
    QStringList sizes = m_data.sizes(table);
    if (row < sizes.size())
        sizes.removeAt(row);
    m_data.setSizes(table, sizes);
    loadSizes();
    return true;
}

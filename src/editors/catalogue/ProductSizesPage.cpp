#include "ProductSizesPage.h"

#include "CTabelleTaglieDlg.h"
#include "catalogue/ProductRecords.h"
#include "editors/common/DataGuard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>

ProductSizesPage::ProductSizesPage(ProductRecords &records, Database &db, QString guardTitle, QWidget *parent)
    : QWidget(parent), m_records(records), m_db(db), m_guardTitle(std::move(guardTitle))
{
    auto *form = new QFormLayout(this);
    m_sizesOn = new QCheckBox(QStringLiteral("Taglie"), this);
    m_table = new QComboBox(this);
    m_from = new QComboBox(this);
    m_to = new QComboBox(this);
    form->addRow(m_sizesOn);
    form->addRow(QStringLiteral("Tabella Taglie"), m_table);
    form->addRow(QStringLiteral("Dalla taglia"), m_from);
    form->addRow(QStringLiteral("Alla taglia"), m_to);
    auto *manage = new QPushButton(QStringLiteral("Gestione Tabelle Taglie"), this);
    form->addRow(manage);
    connect(manage, &QPushButton::clicked, this, [this] { manageSizeTables(); });
    connect(m_sizesOn, &QCheckBox::toggled, this, [this](bool on) {
        m_table->setEnabled(on);
        if (!on)
            m_table->setCurrentIndex(-1);
    });
    connect(m_table, &QComboBox::activated, this, [this](int index) {
        runGuarded(m_guardTitle, [&] { fillSizeSelector(m_table->itemData(index).toInt(), -1, -1); });
    });
}

void ProductSizesPage::fillTables()
{
    m_table->clear();
    for (const auto &[id, name] : m_records.sizeTables())
        m_table->addItem(name, id);
}

void ProductSizesPage::fillSizeSelector(int tableId, int from, int to)
{
    m_from->clear();
    m_to->clear();
    if (tableId == 0)
        return;
    const QStringList sizes = m_records.sizesOf(tableId);
    m_from->addItems(sizes);
    m_to->addItems(sizes);
    m_from->setCurrentIndex(from < sizes.size() ? from : -1);
    m_to->setCurrentIndex(to < sizes.size() ? to : -1);
}

void ProductSizesPage::manageSizeTables()
{
    CTabelleTaglieDlg dialog(m_db, this);
    dialog.exec();
    runGuarded(m_guardTitle, [this] { sizeTablesEdited(); });
}

void ProductSizesPage::sizeTablesEdited()
{
    const bool sizesOn = m_sizesOn->isChecked();
    const int table = m_table->currentIndex() >= 0 ? m_table->currentData().toInt() : 0;
    const int from = m_from->currentIndex();
    const int to = m_to->currentIndex();
    const QSignalBlocker block(m_table);
    fillTables();
    const int index = table != 0 ? m_table->findData(table) : -1;
    const bool kept = sizesOn && index >= 0;
    m_sizesOn->setChecked(kept);
    m_table->setEnabled(kept);
    m_table->setCurrentIndex(kept ? index : -1);
    fillSizeSelector(kept ? table : 0, from, to);
}

void ProductSizesPage::load(const ProductFields &f)
{
    const QSignalBlocker block(m_table);
    fillTables();
    m_sizesOn->setChecked(f.sizeTable != 0);
    m_table->setEnabled(f.sizeTable != 0);
    m_table->setCurrentIndex(m_table->findData(f.sizeTable));
    fillSizeSelector(m_table->currentIndex() < 0 ? 0 : f.sizeTable, f.sizeFrom, f.sizeTo);
    m_loaded = true;
}

void ProductSizesPage::readChoice(ProductFields &f) const
{
    if (!m_loaded)
        return;
    const int table = m_sizesOn->isChecked() ? m_table->currentData().toInt() : 0;
    f.sizeTable = table;
    f.sizeFrom = table ? m_from->currentIndex() : -1;
    f.sizeTo = table ? m_to->currentIndex() : -1;
}

#include "editors/catalogue/pricelist/CAggiornamentoListiniDlg.h"

#include "controls/CValidatedEdit.h"
#include "data/DataError.h"
#include "data/Database.h"
#include "catalogue/CategoryTree.h"
#include "catalogue/pricelist/PriceListUpdate.h"
#include "support/LongOperation.h"
#include "support/UiPort.h"
#include "support/ValidationTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

void addNodes(QTreeWidgetItem *parent, const QList<TreeNode> &nodes)
{
    for (const TreeNode &n : nodes) {
        auto *item = new QTreeWidgetItem(parent);
        item->setText(0, n.name);
        item->setData(0, Qt::UserRole, n.id);
        addNodes(item, n.children);
    }
}

} // namespace

CAggiornamentoListiniDlg::CAggiornamentoListiniDlg(Database &db, LanguageContext &languages,
                                                   const QString &projectFolder, QWidget *parent)
    : QDialog(parent)
    , m_db(db)
    , m_languages(languages)
    , m_project(projectFolder)
{
    setWindowTitle(PriceListUpdate::Title);
    m_category = new QLineEdit(PriceListUpdate::AllCategoriesText, this);
    m_category->setReadOnly(true);
    m_choose = new QPushButton(QStringLiteral("..."), this);
    m_choose->setMaximumWidth(32);
    m_percentage = new CValidatedEdit(this);
    // An amount field: a minus sign may be typed, so prices can be lowered.
    m_percentage->SetParam(4, 5, 0, 2);
    m_list = new QComboBox(this);
    m_list->addItems({QStringLiteral("Tutti i listini"), QStringLiteral("Prezzo 1"), QStringLiteral("Prezzo 2"),
                      QStringLiteral("Prezzo 3"), QStringLiteral("Prezzo 4")});
    m_list->setCurrentIndex(-1);
    m_promotional = new QCheckBox(QStringLiteral("Applica variazione ai prezzi promozionali"), this);
    m_progress = new QProgressBar(this);
    m_progress->setTextVisible(false);
    m_start = new QPushButton(QStringLiteral("Avvio"), this);

    auto *categoryRow = new QHBoxLayout;
    categoryRow->addWidget(m_category, 1);
    categoryRow->addWidget(m_choose);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Categorie"), categoryRow);
    form->addRow(QStringLiteral("Variazione %"), m_percentage);
    form->addRow(QStringLiteral("Listino"), m_list);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_promotional);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_progress, 1);
    bottom->addWidget(m_start);
    layout->addLayout(bottom);

    connect(m_choose, &QPushButton::clicked, this, [this] { openCategoryChooser(); });
    connect(m_start, &QPushButton::clicked, this, &CAggiornamentoListiniDlg::start);
}

QTreeWidget *CAggiornamentoListiniDlg::openCategoryChooser()
{
    auto *popup = new QTreeWidget(this);
    popup->setWindowFlags(Qt::Popup);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->setHeaderHidden(true);
    auto *all = new QTreeWidgetItem(popup);
    all->setText(0, PriceListUpdate::AllCategoriesText);
    all->setData(0, Qt::UserRole, 0);
    try {
        CategoryTree tree(m_db, m_languages, m_project);
        addNodes(all, tree.loadChildren(0));
    } catch (const DataError &e) {
        ui().tell(PriceListUpdate::Title, e.text(), UiPort::Icon::Stop);
    }
    popup->expandItem(all);
    connect(popup, &QTreeWidget::itemClicked, this, [this, popup](QTreeWidgetItem *item) {
        chooseCategory(item->data(0, Qt::UserRole).toInt(), item->text(0));
        popup->close();
    });
    popup->resize(m_category->width() + m_choose->width(), 260);
    popup->move(m_category->mapToGlobal(QPoint(0, m_category->height())));
    popup->show();
    return popup;
}

void CAggiornamentoListiniDlg::chooseCategory(int id, const QString &text)
{
    m_categoryId = id;
    m_category->setText(text);
}

void CAggiornamentoListiniDlg::start()
{
    double percentage = 0;
    if (m_percentage->text().trimmed().isEmpty() || !m_percentage->GetValue(percentage)) {
        ui().tell(ValidationTexts::Title, ValidationTexts::Mandatory, UiPort::Icon::Stop);
        m_percentage->setFocus();
        return;
    }
    if (m_list->currentIndex() < 0) {
        ui().tell(ValidationTexts::Title, ValidationTexts::Mandatory, UiPort::Icon::Stop);
        m_list->setFocus();
        return;
    }
    if (percentage < PriceListUpdate::MinimumPercentage) {
        ui().tell(ValidationTexts::Title, PriceListUpdate::PercentageTooLowText, UiPort::Icon::Stop);
        m_percentage->setFocus();
        return;
    }
    int products = 0;
    try {
        products = PriceListUpdate::productCount(m_db, m_categoryId);
    } catch (const DataError &e) {
        ui().tell(PriceListUpdate::Title, e.text(), UiPort::Icon::Stop);
        return;
    }
    if (products == 0) {
        // Nothing to change: the dialog stays open for another choice.
        ui().tell(PriceListUpdate::Title, PriceListUpdate::noProductsText(m_categoryId),
                  UiPort::Icon::Exclamation);
        return;
    }
    m_start->setEnabled(false);
    PriceListUpdate::Options o;
    o.categoryId = m_categoryId;
    o.percentage = percentage;
    o.list = m_list->currentIndex();
    o.promotional = m_promotional->isChecked();
    PriceListUpdate::Report report;
    try {
        LongOperation operation(LongOperation::DefaultIntervalMs, QEventLoop::ExcludeUserInputEvents);
        report = PriceListUpdate::run(m_db, o, [this, &operation](int pos, int count) {
            m_progress->setRange(0, count);
            m_progress->setValue(pos);
            operation.pump();
        });
    } catch (const DataError &e) {
        ui().tell(PriceListUpdate::Title, e.text(), UiPort::Icon::Stop);
        m_start->setEnabled(true);
        return;
    }
    ui().tell(PriceListUpdate::Title, PriceListUpdate::doneText(report), UiPort::Icon::Information);
    accept();
}

#include "CDizionarioView.h"

#include "config/DictionaryEntries.h"
#include "data/DataError.h"
#include "editors/common/EditorHost.h"
#include "support/UiPort.h"
#include "support/ValidationTexts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QValidator>

namespace {

// Lets only the characters of a dictionary code be typed.
class CodeValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        for (QChar c : input)
            if (!DictionaryEntries::AllowedCodeCharacters.contains(c))
                return Invalid;
        return input.size() <= DictionaryEntries::MaxCodeLength ? Acceptable : Invalid;
    }
};

} // namespace

CDizionarioView::CDizionarioView(EditorHost &host, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
    , m_entries(std::make_unique<DictionaryEntries>(host.database()))
    , m_list(new QListWidget(this))
    , m_code(new QLineEdit(this))
    , m_text(new QPlainTextEdit(this))
    , m_insert(new QPushButton(QStringLiteral("Inserisci"), this))
    , m_save(new QPushButton(QStringLiteral("Salva"), this))
    , m_delete(new QPushButton(QStringLiteral("Cancella"), this))
{
    auto *layout = new QHBoxLayout(this);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumWidth(200);
    m_list->viewport()->installEventFilter(this);
    layout->addWidget(m_list);

    auto *form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("Codice"), this), 0, 0);
    form->addWidget(m_code, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("Testo"), this), 1, 0, Qt::AlignTop);
    form->addWidget(m_text, 1, 1);
    auto *buttons = new QHBoxLayout;
    m_insert->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    m_save->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    m_delete->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    buttons->addWidget(m_insert);
    buttons->addWidget(m_save);
    buttons->addWidget(m_delete);
    buttons->addStretch(1);
    form->addLayout(buttons, 2, 1);
    layout->addLayout(form, 1);

    m_code->setMaxLength(DictionaryEntries::MaxCodeLength);
    m_code->setValidator(new CodeValidator(m_code));

    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        showSelected();
        updateButtons();
    });
    connect(m_insert, &QPushButton::clicked, this, &CDizionarioView::insertEntry);
    connect(m_save, &QPushButton::clicked, this, &CDizionarioView::saveEntry);
    connect(m_delete, &QPushButton::clicked, this, &CDizionarioView::deleteEntry);

    fillList();
    updateButtons();
}

CDizionarioView::~CDizionarioView() = default;

bool CDizionarioView::eventFilter(QObject *watched, QEvent *event)
{
    // A click below the entries leaves the selection, so that a new entry
    // can be inserted.
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (!m_list->itemAt(mouse->position().toPoint())) {
            clearSelection();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CDizionarioView::fillList()
{
    m_list->clear();
    for (const DictionaryEntries::Entry &e : m_entries->entries()) {
        auto *item = new QListWidgetItem(e.code, m_list);
        item->setData(Qt::UserRole, e.id);
    }
}

int CDizionarioView::selectedId() const
{
    const QList<QListWidgetItem *> items = m_list->selectedItems();
    return items.isEmpty() ? 0 : items.first()->data(Qt::UserRole).toInt();
}

void CDizionarioView::showSelected()
{
    const int id = selectedId();
    if (!id) {
        m_code->clear();
        m_text->clear();
        return;
    }
    m_code->setText(m_list->selectedItems().first()->text());
    m_text->setPlainText(
        m_entries->text(id, m_host.currentLanguageCode(), m_host.defaultLanguageCode()));
}

void CDizionarioView::clearSelection()
{
    m_list->clearSelection();
    m_list->setCurrentItem(nullptr);
    m_code->clear();
    m_text->clear();
    updateButtons();
}

void CDizionarioView::updateButtons()
{
    const bool selected = selectedId() != 0;
    m_insert->setEnabled(!selected);
    m_save->setEnabled(selected);
    m_delete->setEnabled(selected);
}

bool CDizionarioView::validate(int exceptId, QString *code)
{
    switch (m_entries->checkCode(m_code->text(), exceptId)) {
    case DictionaryEntries::CodeCheck::Empty:
        ui().tell(ValidationTexts::Title, ValidationTexts::Mandatory, UiPort::Icon::Stop);
        m_code->setFocus();
        return false;
    case DictionaryEntries::CodeCheck::Duplicate:
        ui().tell(ValidationTexts::Title, QStringLiteral("Codice voce già presente in archivio!"),
                  UiPort::Icon::Stop);
        m_code->setFocus();
        return false;
    case DictionaryEntries::CodeCheck::Ok:
        break;
    }
    *code = DictionaryEntries::normalisedCode(m_code->text());
    return true;
}

bool CDizionarioView::report(const std::function<void()> &work)
{
    try {
        work();
        return true;
    } catch (const DataError &e) {
        ui().tell(QStringLiteral("Dizionario"), e.message(), UiPort::Icon::Stop);
        return false;
    }
}

void CDizionarioView::insertEntry()
{
    if (selectedId())
        return;
    QString code;
    if (!validate(0, &code))
        return;
    int id = 0;
    if (!report([&] {
            id = m_entries->insert(code, m_text->toPlainText(), m_host.currentLanguageCode(),
                                   m_host.defaultLanguageCode());
        }))
        return;
    auto *item = new QListWidgetItem(code, m_list);
    item->setData(Qt::UserRole, id);
    clearSelection();
}

void CDizionarioView::saveEntry()
{
    const int id = selectedId();
    if (!id)
        return;
    QString code;
    if (!validate(id, &code))
        return;
    if (!report([&] {
            m_entries->save(id, code, m_text->toPlainText(), m_host.currentLanguageCode());
        }))
        return;
    m_list->selectedItems().first()->setText(code);
    clearSelection();
}

void CDizionarioView::deleteEntry()
{
    const int id = selectedId();
    if (!id)
        return;
    if (ui().message(DeleteTitle, QStringLiteral("Confermi ?"), UiPort::Icon::Question,
                     UiPort::Buttons::YesNo)
        != UiPort::Answer::Yes)
        return;
    if (!report([&] { m_entries->remove(id); }))
        return;
    delete m_list->selectedItems().first();
    clearSelection();
}

void CDizionarioView::refreshLanguage()
{
    showSelected();
}

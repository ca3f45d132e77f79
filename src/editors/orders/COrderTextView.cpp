#include "COrderTextView.h"

#include "orders/OrderTexts.h"
#include "data/DataError.h"
#include "editors/common/EditorHost.h"
#include "support/UiPort.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

COrderTextView::COrderTextView(EditorHost &host, int textKind, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
    , m_texts(std::make_unique<OrderTexts>(host.database(), textKind))
    , m_edit(new QPlainTextEdit(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_edit);
    display();
}

COrderTextView::~COrderTextView() = default;

int COrderTextView::textKind() const
{
    return m_texts->kind();
}

QString COrderTextView::shownLanguage() const
{
    return m_texts->language();
}

void COrderTextView::display()
{
    m_edit->setPlainText(
        m_texts->load(m_host.currentLanguageCode(), m_host.defaultLanguageCode()));
    m_edit->document()->setModified(false);
}

bool COrderTextView::hasUnsavedChanges()
{
    return m_texts->differs(m_edit->toPlainText());
}

bool COrderTextView::storeText()
{
    try {
        m_texts->save(m_edit->toPlainText());
        return true;
    } catch (const DataError &e) {
        ui().tell(windowTitle().isEmpty() && parentWidget() ? parentWidget()->windowTitle()
                                                            : windowTitle(),
                  QStringLiteral("Impossibile salvare il testo:\n\n%1").arg(e.message()),
                  UiPort::Icon::Stop);
        return false;
    }
}

void COrderTextView::refreshLanguage()
{
    // The text typed so far belongs to the language it was shown for. If it
    // cannot be stored it stays on screen under that language.
    if (!storeText()) {
        return;
    }
    display();
}

void COrderTextView::closeEvent(QCloseEvent *event)
{
    // A text that cannot be stored keeps the window open rather than lost.
    if (!storeText()) {
        event->ignore();
        return;
    }
    event->accept();
}

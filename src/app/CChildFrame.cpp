#include "CChildFrame.h"

#include "editors/common/EditorContract.h"
#include "editors/common/EditorHost.h"
#include "support/UiPort.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QSettings>
#include <QShortcut>
#include <QStyle>

#include <cstring>

namespace {

const CChildFrame::RuleEntry kRules[] = {
    {"CProdottiView", CChildFrame::CloseRule::RecordForm, "Inserimento prodotto"},
    {"CArticoliView", CChildFrame::CloseRule::RecordForm, "Inserimento articolo"},
    {"CUtentiView", CChildFrame::CloseRule::RecordForm, "Inserimento utente"},
    {"CForumView", CChildFrame::CloseRule::SaveOrKeepOpen, nullptr},
    {"CParGenView", CChildFrame::CloseRule::SaveOrKeepOpen, nullptr},
    {"COrdiniView", CChildFrame::CloseRule::SaveThenClose, nullptr},
    {"CScontiProdottoView", CChildFrame::CloseRule::SaveThenClose, nullptr},
    {"CTabellaProdottiView", CChildFrame::CloseRule::SaveThenClose, nullptr},
    {"CTabellaArticoliView", CChildFrame::CloseRule::SaveThenClose, nullptr},
    {"CValuteView", CChildFrame::CloseRule::GridRows, nullptr},
    {"CDefCampiCustomView", CChildFrame::CloseRule::GridRows, nullptr},
    {"CSSpedizioneView", CChildFrame::CloseRule::GridRows, nullptr},
    {"CLingueView", CChildFrame::CloseRule::Languages, nullptr},
    {"CModuliView", CChildFrame::CloseRule::FormWithRows, "Inserimento modulo"},
};

// Where the editors' window sizes are kept in the settings.
const QString kWindowsGroup = QStringLiteral("Finestre/");

const QString kInsertWarning =
    QStringLiteral("ATTENZIONE: annullare l'inserimento in corso prima di uscire.");

} // namespace

CChildFrame::RuleEntry CChildFrame::ruleFor(const char *viewClass)
{
    for (const RuleEntry &e : kRules)
        if (std::strcmp(e.viewClass, viewClass) == 0)
            return e;
    return {viewClass, CloseRule::None, nullptr};
}

CChildFrame::CChildFrame(EditorHost &host, const FrameParams &params, QWidget *parent)
    : QMdiSubWindow(parent)
    , m_host(host)
    , m_params(params)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // A sizing border and a maximise box: the editors' grids and trees grow
    // with the window, and the size is remembered for the next time.
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    auto *save = new QShortcut(QKeySequence::Save, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(save, &QShortcut::activated, this, [this] { saveNow(); });
}

QString CChildFrame::settingsKey() const
{
    QByteArray name = m_view ? QByteArray(m_view->metaObject()->className()) : QByteArray("CChildFrame");
    const int colons = name.lastIndexOf("::");
    if (colons >= 0)
        name = name.mid(colons + 2);
    return QString::fromLatin1(name) + (m_params.secondary ? QStringLiteral("Secondaria") : QString());
}

QSize CChildFrame::rememberedSize() const
{
    return QSettings().value(kWindowsGroup + settingsKey() + QStringLiteral("/Dimensioni")).toSize();
}

bool CChildFrame::rememberedMaximised() const
{
    return QSettings().value(kWindowsGroup + settingsKey() + QStringLiteral("/Ingrandita")).toBool();
}

void CChildFrame::rememberSize() const
{
    // Only what the user saw: a frame never shown has no size of its own.
    if (!isVisible())
        return;
    QSettings settings;
    const QString key = kWindowsGroup + settingsKey();
    settings.setValue(key + QStringLiteral("/Ingrandita"), isMaximized());
    if (!isMaximized() && !isMinimized())
        settings.setValue(key + QStringLiteral("/Dimensioni"), size());
}

bool CChildFrame::saveNow()
{
    EditorContract *e = editor();
    if (!e)
        return false;
    // A cell or field still being edited hands its text over first.
    QPointer<QWidget> focus = QApplication::focusWidget();
    if (focus && isAncestorOf(focus)) {
        focus->clearFocus();
        if (focus && focus->isVisible())
            focus->setFocus();
    }
    bool saved = true;
    if (e->hasPendingNewRow()) {
        saved = e->validatePendingNewRow();
    } else if (e->handlesRecordCommand(RecordCommand::SaveNew)
               && e->recordCommandState(RecordCommand::SaveNew).enabled) {
        e->runRecordCommand(RecordCommand::SaveNew);
        saved = !e->insertInProgress();
    } else if (e->hasUnsavedChanges()) {
        saved = e->saveChanges();
    }
    // A refused value ("Campo obbligatorio!"): editing goes on at its cell.
    if (!saved)
        e->resumeEditing();
    return saved;
}

bool CChildFrame::createView(EditorFactory factory)
{
    if (!factory)
        return false;
    QWidget *view = factory(m_host, m_params, this);
    if (!view)
        return false;
    m_view = view;
    setWidget(view);
    return true;
}

void CChildFrame::adoptView(QWidget *view)
{
    view->setParent(this);
    m_view = view;
    setWidget(view);
}

EditorContract *CChildFrame::editor() const
{
    return dynamic_cast<EditorContract *>(m_view.data());
}

void CChildFrame::warnInsert(const char *title)
{
    ui().tell(QString::fromUtf8(title), kInsertWarning, UiPort::Icon::Exclamation);
}

bool CChildFrame::keepOpenAtCell()
{
    if (EditorContract *e = editor())
        e->resumeEditing();
    return false;
}

bool CChildFrame::canClose()
{
    EditorContract *e = editor();
    if (!e)
        return true;
    // The rule goes by the view's own class name, without any namespace.
    const QByteArray className = QByteArray(m_view->metaObject()->className());
    const int colons = className.lastIndexOf("::");
    const QByteArray name = colons < 0 ? className : className.mid(colons + 2);
    const RuleEntry entry = ruleFor(name.constData());
    switch (entry.rule) {
    case CloseRule::None:
        return true;
    case CloseRule::RecordForm:
        if (e->insertInProgress()) {
            warnInsert(entry.insertTitle);
            return false;
        }
        if (e->hasUnsavedChanges() && !e->saveChanges())
            return false;
        if (e->insertInProgress()) {
            warnInsert(entry.insertTitle);
            return false;
        }
        return true;
    case CloseRule::SaveOrKeepOpen:
        return !(e->hasUnsavedChanges() && !e->saveChanges());
    case CloseRule::SaveThenClose:
        if (e->hasUnsavedChanges())
            e->saveChanges();
        return true;
    case CloseRule::GridRows:
    case CloseRule::Languages:
        if (e->hasPendingNewRow() && !e->validatePendingNewRow())
            return keepOpenAtCell();
        if (e->hasUnsavedChanges() && !e->saveChanges())
            return keepOpenAtCell();
        if (entry.rule == CloseRule::Languages && !m_host.reloadLanguages()) {
            ui().tell(QStringLiteral("Gestione lingue"),
                      QStringLiteral("ATTENZIONE: attivare almeno una lingua prima di uscire."),
                      UiPort::Icon::Exclamation);
            return false;
        }
        return true;
    case CloseRule::FormWithRows:
        if (e->hasPendingNewRow() && !e->validatePendingNewRow())
            return keepOpenAtCell();
        if (e->insertInProgress()) {
            warnInsert(entry.insertTitle);
            return false;
        }
        if (e->hasUnsavedChanges() && !e->saveChanges())
            return false;
        if (e->insertInProgress()) {
            warnInsert(entry.insertTitle);
            return false;
        }
        return true;
    }
    return true;
}

void CChildFrame::closeEvent(QCloseEvent *event)
{
    if (m_closed) {
        event->accept();
        return;
    }
    if (!canClose()) {
        event->ignore();
        return;
    }
    // The view gets its own close (editors store what they hold there).
    QMdiSubWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    m_closed = true;
    rememberSize();
    emit frameClosed(this, m_params.secondary == 0);
}

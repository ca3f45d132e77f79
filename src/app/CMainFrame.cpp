#include "CMainFrame.h"

#include "CChildFrame.h"
#include "CSplashWnd.h"
#include "CVendraApp.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "editors/common/EditorContract.h"
#include "support/LongOperation.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>

namespace {

// Small toolbar pictures of our own for the commands that have no
// standard one.
QIcon drawnIcon(const QString &glyph, const QColor &colour)
{
    QPixmap pix(16, 16);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f = p.font();
    f.setPixelSize(14);
    f.setBold(true);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(pix.rect(), Qt::AlignCenter, glyph);
    return QIcon(pix);
}

constexpr int kRecordAndOrderCommands[] = {
    Cmd::RecordFilter,  Cmd::RecordFirst,       Cmd::RecordPrev,         Cmd::RecordNext,
    Cmd::RecordLast,    Cmd::RecordInsert,      Cmd::RecordDelete,       Cmd::RecordSaveNew,
    Cmd::RecordUndo,    Cmd::OrderIssueInvoice, Cmd::OrderCancelInvoice, Cmd::FilePrint,
    Cmd::ProductVariants,
};

} // namespace

CMainFrame::CMainFrame(CVendraApp &app)
    : m_app(app)
    , m_mdi(new QMdiArea(this))
{
    setWindowTitle(QStringLiteral("Zanfira"));
    setWindowIcon(style()->standardIcon(QStyle::SP_ComputerIcon));
    m_mdi->setObjectName(QStringLiteral("editorArea"));
    m_mdi->setBackground(QColor(128, 128, 128));
    setCentralWidget(m_mdi);

    buildMenus();
    buildToolbars();

    statusBar()->showMessage(QStringLiteral("Pronto"));
    resize(1024, 768);

    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] { updateCommandUi(); });
    m_updateTimer.setInterval(250);
    connect(&m_updateTimer, &QTimer::timeout, this, &CMainFrame::updateCommandUi);
    m_updateTimer.start();
    updateCommandUi();

    CSplashWnd::ShowSplashScreen(this);
}

CMainFrame::~CMainFrame()
{
    // The editor area reports its windows going while the frame is torn
    // down; the commands are not updated any more from here on.
    m_updateTimer.stop();
    disconnect(m_mdi, nullptr, this, nullptr);
}

QAction *CMainFrame::addCommand(int id, const QString &text, const QIcon &icon,
                                const QString &statusTip)
{
    auto *a = new QAction(icon, text, this);
    QString plain = text;
    plain.remove(QLatin1Char('&'));
    a->setToolTip(plain.section(QLatin1Char('\t'), 0, 0));
    if (!statusTip.isEmpty())
        a->setStatusTip(statusTip);
    a->setData(id);
    connect(a, &QAction::triggered, this, [this, id] { onCommand(id); });
    m_actions.insert(id, a);
    return a;
}

QMenu *CMainFrame::menuFor(const QString &path)
{
    if (QMenu *m = m_menus.value(path))
        return m;
    const int bar = path.lastIndexOf(QLatin1Char('|'));
    QMenu *menu = nullptr;
    if (bar < 0)
        menu = menuBar()->addMenu(path);
    else
        menu = menuFor(path.left(bar))->addMenu(path.mid(bar + 1));
    m_menus.insert(path, menu);
    return menu;
}

void CMainFrame::buildMenus()
{
    QStyle *s = style();
    QMenu *file = menuFor(QStringLiteral("&File"));
    QAction *a = addCommand(Cmd::FileNew, QStringLiteral("&Nuovo\tCtrl+N"),
                            s->standardIcon(QStyle::SP_FileIcon),
                            QStringLiteral("Crea un nuovo progetto"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    file->addAction(a);
    a = addCommand(Cmd::FileOpen, QStringLiteral("&Apri...\tCtrl+A"),
                   s->standardIcon(QStyle::SP_DialogOpenButton),
                   QStringLiteral("Apre un progetto esistente"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    file->addAction(a);
    file->addSeparator();
    a = addCommand(Cmd::FilePrint, QStringLiteral("&Stampa...\tCtrl+P"),
                   drawnIcon(QStringLiteral("P"), QColor(40, 40, 40)),
                   QStringLiteral("Stampa il documento corrente"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    file->addAction(a);
    file->addAction(addCommand(Cmd::FilePrintSetup, QStringLiteral("&Imposta stampante..."),
                               QIcon(), QStringLiteral("Sceglie la stampante e le sue opzioni")));
    file->addSeparator();
    file->addAction(addCommand(Cmd::AppExit, QStringLiteral("&Esci"), QIcon(),
                               QStringLiteral("Chiude il programma")));

    // The commands of the table that the program offers, in table order.
    for (const AppCommand &c : appCommands()) {
        if (!c.isAvailable())
            continue;
        QMenu *menu = menuFor(QString::fromUtf8(c.menu));
        if (c.separatorBefore && !menu->isEmpty())
            menu->addSeparator();
        menu->addAction(addCommand(c.id, QString::fromUtf8(c.text), s->standardIcon(c.icon),
                                   QString::fromUtf8(c.statusTip)));
    }

    // Commands of the open editor.
    QMenu *catalogue = menuFor(QStringLiteral("C&atalogo"));
    catalogue->addSeparator();
    catalogue->addAction(addCommand(Cmd::ProductVariants, QStringLiteral("&Varianti"), QIcon(),
                                    QStringLiteral("Gestione delle varianti del prodotto")));

    QMenu *view = menuFor(QStringLiteral("&Visualizza"));
    a = addCommand(Cmd::ViewToolbar, QStringLiteral("&Barra degli strumenti"), QIcon(),
                   QStringLiteral("Mostra o nasconde la barra degli strumenti"));
    a->setCheckable(true);
    a->setChecked(true);
    view->addAction(a);
    a = addCommand(Cmd::ViewStatusBar, QStringLiteral("Barra di &stato"), QIcon(),
                   QStringLiteral("Mostra o nasconde la barra di stato"));
    a->setCheckable(true);
    a->setChecked(true);
    view->addAction(a);

    QMenu *help = menuFor(QStringLiteral("&?"));
    help->addAction(addCommand(Cmd::HelpIndex, QStringLiteral("&Indice"),
                               s->standardIcon(QStyle::SP_DialogHelpButton),
                               QStringLiteral("Apre la guida del programma")));
    help->addAction(addCommand(Cmd::HelpWeb, QStringLiteral("Zanfira sul &web"), QIcon(),
                               QStringLiteral("Apre il sito di Zanfira")));
    help->addAction(addCommand(Cmd::HelpSupport, QStringLiteral("&Supporto tecnico"), QIcon(),
                               QStringLiteral("Apre la pagina del supporto tecnico")));
    help->addAction(addCommand(Cmd::HelpMaker, QStringLiteral("Brellix S.r.l."), QIcon(),
                               QStringLiteral("Apre il sito di Brellix S.r.l.")));
    help->addSeparator();
    help->addAction(addCommand(Cmd::AppAbout, QStringLiteral("&Informazioni su Zanfira..."),
                               QIcon(), QStringLiteral("Versione del programma")));
}

void CMainFrame::buildToolbars()
{
    QStyle *s = style();
    m_mainToolbar = addToolBar(QStringLiteral("Standard"));
    m_mainToolbar->setObjectName(QStringLiteral("mainToolbar"));
    m_mainToolbar->setIconSize(QSize(16, 16));
    m_mainToolbar->addAction(m_actions.value(Cmd::FileNew));
    m_mainToolbar->addAction(m_actions.value(Cmd::FileOpen));
    if (QAction *preview = m_actions.value(Cmd::Anteprima))
        m_mainToolbar->addAction(preview);
    m_mainToolbar->addSeparator();

    m_languages = new QComboBox(m_mainToolbar);
    m_languages->setObjectName(QStringLiteral("languageSelector"));
    m_languages->setFixedWidth(100);
    m_languages->setMaxVisibleItems(6);
    m_languages->setToolTip(QStringLiteral("Lingua"));
    m_languages->setStatusTip(QStringLiteral("Lingua dei testi mostrati negli archivi"));
    m_mainToolbar->addWidget(m_languages);
    connect(m_languages, &QComboBox::activated, this, &CMainFrame::onLanguageSelected);
    m_mainToolbar->addSeparator();

    QAction *a = addCommand(Cmd::RecordInsert, QStringLiteral("Inserimento"),
                            drawnIcon(QStringLiteral("+"), QColor(0, 128, 0)),
                            QStringLiteral("Inserisce un nuovo record"));
    a->setCheckable(true);
    m_mainToolbar->addAction(a);
    m_mainToolbar->addAction(addCommand(Cmd::RecordSaveNew, QStringLiteral("Salva nuovo record"),
                                        s->standardIcon(QStyle::SP_DialogSaveButton),
                                        QStringLiteral("Salva il nuovo record")));
    m_mainToolbar->addAction(addCommand(Cmd::RecordDelete,
                                        QStringLiteral("Cancellazione record corrente"),
                                        s->standardIcon(QStyle::SP_TrashIcon),
                                        QStringLiteral("Cancella il record corrente")));
    m_mainToolbar->addSeparator();
    m_mainToolbar->addAction(addCommand(Cmd::RecordUndo, QStringLiteral("Annulla modifiche"),
                                        s->standardIcon(QStyle::SP_DialogResetButton),
                                        QStringLiteral("Annulla le modifiche al record")));
    m_mainToolbar->addSeparator();
    m_mainToolbar->addAction(addCommand(Cmd::RecordFirst, QStringLiteral("Primo record"),
                                        s->standardIcon(QStyle::SP_MediaSkipBackward),
                                        QStringLiteral("Va al primo record")));
    m_mainToolbar->addAction(addCommand(Cmd::RecordPrev, QStringLiteral("Record precedente"),
                                        s->standardIcon(QStyle::SP_MediaSeekBackward),
                                        QStringLiteral("Va al record precedente")));
    m_mainToolbar->addAction(addCommand(Cmd::RecordNext, QStringLiteral("Record successivo"),
                                        s->standardIcon(QStyle::SP_MediaSeekForward),
                                        QStringLiteral("Va al record successivo")));
    m_mainToolbar->addAction(addCommand(Cmd::RecordLast, QStringLiteral("Ultimo record"),
                                        s->standardIcon(QStyle::SP_MediaSkipForward),
                                        QStringLiteral("Va all'ultimo record")));
    m_mainToolbar->addSeparator();
    a = addCommand(Cmd::RecordFilter, QStringLiteral("Filtro"),
                   s->standardIcon(QStyle::SP_FileDialogContentsView),
                   QStringLiteral("Imposta o annulla il filtro"));
    a->setCheckable(true);
    m_mainToolbar->addAction(a);
    m_mainToolbar->addSeparator();
    if (QAction *orders = m_actions.value(Cmd::AggiornamentoOrdini)) {
        m_mainToolbar->addAction(orders);
        m_mainToolbar->addSeparator();
    }
    m_mainToolbar->addAction(addCommand(Cmd::OrderIssueInvoice, QStringLiteral("Emetti &fattura"),
                                        drawnIcon(QStringLiteral("F"), QColor(0, 0, 160)),
                                        QStringLiteral("Emette la fattura dell'ordine")));
    m_mainToolbar->addAction(addCommand(Cmd::OrderCancelInvoice,
                                        QStringLiteral("Cance&lla fattura"),
                                        drawnIcon(QStringLiteral("F"), QColor(180, 0, 0)),
                                        QStringLiteral("Cancella l'ultima fattura emessa")));
    m_mainToolbar->addSeparator();
    m_mainToolbar->addAction(m_actions.value(Cmd::FilePrint));

    // The designer's toolbar: shown only while the designer window is open.
    m_designerToolbar = addToolBar(QStringLiteral("Modello grafico"));
    m_designerToolbar->setObjectName(QStringLiteral("designerToolbar"));
    m_designerToolbar->setIconSize(QSize(16, 16));
    m_designerToolbar->hide();
}

void CMainFrame::ShowMainToolbar()
{
    m_designerToolbar->hide();
    m_mainToolbar->show();
}

void CMainFrame::ShowDesignerToolbar()
{
    m_mainToolbar->hide();
    m_designerToolbar->show();
}

// --- languages -------------------------------------------------------------

LanguageList &CMainFrame::list() const
{
    return m_app.languages();
}

bool CMainFrame::LoadLanguages()
{
    if (!m_app.isProjectOpen())
        return false;
    const bool loaded = m_app.session().reloadLanguages();
    showLanguageList();
    return loaded;
}

void CMainFrame::showLanguageList()
{
    m_selectingDefault = true;
    m_languages->clear();
    // The list keeps the languages sorted by their display text; row i of
    // the selector is row i of the list.
    for (int row = 0; row < list().count(); ++row)
        m_languages->addItem(list().at(row).text, list().at(row).code);
    m_languages->setCurrentIndex(list().currentRow());
    m_selectingDefault = false;
}

void CMainFrame::ResetLanguages()
{
    list().reset();
    showLanguageList();
}

QString CMainFrame::GetCurrentLanguageCode() const
{
    return list().currentLanguageCode();
}

QString CMainFrame::GetDefaultLanguageCode() const
{
    return list().defaultLanguageCode();
}

bool CMainFrame::IsDefaultLanguage() const
{
    return list().isDefaultLanguage();
}

void CMainFrame::SelectDefaultLanguage()
{
    list().selectDefaultLanguage();
    m_selectingDefault = true;
    m_languages->setCurrentIndex(list().currentRow());
    m_selectingDefault = false;
}

void CMainFrame::onLanguageSelected(int row)
{
    if (m_selectingDefault)
        return;
    list().setCurrentRow(row);
    if (EditorContract *editor = activeEditor())
        if (editor->refreshesOnLanguageChange())
            editor->refreshLanguage();
    emit languageChanged();
}

// --- editors and commands ------------------------------------------------

CChildFrame *CMainFrame::activeFrame() const
{
    if (auto *frame = qobject_cast<CChildFrame *>(m_mdi->activeSubWindow()))
        return frame;
    // With one editor at a time the only frame is the one to use even when
    // the window system has not activated it (no focus yet).
    const auto frames = m_mdi->subWindowList();
    for (QMdiSubWindow *w : frames)
        if (auto *frame = qobject_cast<CChildFrame *>(w))
            return frame;
    return nullptr;
}

EditorContract *CMainFrame::activeEditor() const
{
    CChildFrame *frame = activeFrame();
    return frame ? frame->editor() : nullptr;
}

void CMainFrame::showFrame(CChildFrame *frame, bool maximised)
{
    m_mdi->addSubWindow(frame);
    if (maximised || frame->rememberedMaximised()) {
        frame->showMaximized();
    } else {
        // The size the user left it in, else the editor's own.
        QWidget *view = frame->widget();
        QSize size = frame->rememberedSize().expandedTo(frame->minimumSizeHint());
        if (!frame->rememberedSize().isValid()) {
            size = view ? view->sizeHint() : QSize(640, 480);
            size += frame->size() - frame->contentsRect().size();
        }
        size = size.boundedTo(m_mdi->viewport()->size().expandedTo(QSize(320, 240)));
        frame->resize(size);
        const QRect area = m_mdi->viewport()->rect();
        frame->move(std::max(0, (area.width() - size.width()) / 2),
                    std::max(0, (area.height() - size.height()) / 2));
        frame->show();
    }
    m_mdi->setActiveSubWindow(frame);
    updateCommandUi();
}

bool CMainFrame::isRecordOrOrderCommand(int id) const
{
    return std::find(std::begin(kRecordAndOrderCommands), std::end(kRecordAndOrderCommands), id)
        != std::end(kRecordAndOrderCommands);
}

void CMainFrame::onCommand(int id)
{
    if (isRecordOrOrderCommand(id)) {
        EditorContract *editor = activeEditor();
        if (editor && editor->handlesRecordCommand(id)
            && editor->recordCommandState(id).enabled)
            editor->runRecordCommand(id);
        updateCommandUi();
        return;
    }
    switch (id) {
    case Cmd::ViewToolbar:
        m_mainToolbar->setVisible(m_actions.value(id)->isChecked());
        return;
    case Cmd::ViewStatusBar:
        statusBar()->setVisible(m_actions.value(id)->isChecked());
        return;
    default:
        m_app.onCommand(id);
        updateCommandUi();
        return;
    }
}

void CMainFrame::updateCommandUi()
{
    // During a long operation (upgrade, import, ...) nothing else may start
    // and the program may not close.
    const bool busy = LongOperation::isBusy();
    const bool project = m_app.isProjectOpen() && !busy;
    const bool editorOpen = m_app.isEditorOpen();
    for (const AppCommand &c : appCommands()) {
        if (QAction *a = m_actions.value(c.id))
            a->setEnabled(project && !editorOpen && (!c.needsCdViewer || m_app.hasCdViewer()));
    }
    m_actions.value(Cmd::FileNew)->setEnabled(!editorOpen && !busy);
    m_actions.value(Cmd::FileOpen)->setEnabled(!editorOpen && !busy);
    m_actions.value(Cmd::AppExit)->setEnabled(!busy);
    m_languages->setEnabled(!busy);

    EditorContract *editor = activeEditor();
    for (int id : kRecordAndOrderCommands) {
        QAction *a = m_actions.value(id);
        CommandState state;
        if (editor && !busy && editor->handlesRecordCommand(id))
            state = editor->recordCommandState(id);
        a->setEnabled(state.enabled);
        if (a->isCheckable())
            a->setChecked(state.checked);
    }
    m_actions.value(Cmd::ViewToolbar)->setChecked(m_mainToolbar->isVisibleTo(this)
                                                  || m_designerToolbar->isVisibleTo(this));
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    if (LongOperation::isBusy() || !m_app.queryExit()) {
        event->ignore();
        return;
    }
    m_updateTimer.stop();
    event->accept();
}

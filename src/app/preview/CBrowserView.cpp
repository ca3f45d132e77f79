#include "CBrowserView.h"

#include "preview/WebServer.h"
#include "project/ProjectFolder.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTime>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#ifdef ZANFIRA_HAVE_WEBENGINE
#include <QWebEngineView>
#endif

namespace {

constexpr int kMaxLogLines = 500;

CBrowserView::SystemBrowser &systemBrowser()
{
    static CBrowserView::SystemBrowser opener = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
    return opener;
}

} // namespace

void CBrowserView::setSystemBrowser(SystemBrowser opener)
{
    systemBrowser() = opener ? std::move(opener)
                             : [](const QUrl &url) { return QDesktopServices::openUrl(url); };
}

CBrowserView::CBrowserView(const QString &projectFolder, QWidget *parent, quint16 port)
    : QWidget(parent), m_server(new preview::WebServer(this))
{
    setObjectName(QStringLiteral("CBrowserView"));
    const ProjectFolder project(projectFolder);
    m_server->setPort(port);
    m_server->serveProject(project.file(ProjectFolder::SiteFolder), project.file(ProjectFolder::AspFolder),
                           project.file(QStringLiteral("db")), project.file(ProjectFolder::ImagesFolder));
    if (!m_server->start(&m_startError) && m_startError.isEmpty())
        m_startError = QStringLiteral("porta non disponibile");

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
#ifdef ZANFIRA_HAVE_WEBENGINE
    auto *web = new QWebEngineView(this);
    web->setObjectName(QStringLiteral("browser"));
    layout->addWidget(web);
    web->load(QUrl(address()));
    m_browser = web;
#else
    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(8, 8, 8, 0);
    m_addressLabel = new QLabel(this);
    m_addressLabel->setObjectName(QStringLiteral("address"));
    m_addressLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (m_startError.isEmpty())
        m_addressLabel->setText(QStringLiteral("Anteprima del sito su %1").arg(address()));
    else
        m_addressLabel->setText(QStringLiteral("Impossibile avviare l'anteprima su %1: %2").arg(address(), m_startError));
    auto *open = new QPushButton(QStringLiteral("Apri nel browser"), this);
    open->setObjectName(QStringLiteral("openBrowser"));
    open->setEnabled(m_startError.isEmpty());
    connect(open, &QPushButton::clicked, this, [this] { systemBrowser()(QUrl(address())); });
    // No browser inside the window: the site opens in the system's at once.
    if (m_startError.isEmpty())
        QTimer::singleShot(0, this, [this] { systemBrowser()(QUrl(address())); });
    bar->addWidget(m_addressLabel, 1);
    bar->addWidget(open);
    layout->addLayout(bar);
    m_log = new QPlainTextEdit(this);
    m_log->setObjectName(QStringLiteral("requestLog"));
    m_log->setReadOnly(true);
    m_log->setMaximumBlockCount(kMaxLogLines);
    layout->addWidget(m_log, 1);
#endif
    connect(m_server, &preview::WebServer::requestServed, this, &CBrowserView::logRequest);
}

CBrowserView::~CBrowserView()
{
    // The server and its connections go before the database is restored.
    m_server->stop();
}

QString CBrowserView::address() const
{
    return m_server->address();
}

void CBrowserView::refresh()
{
#ifdef ZANFIRA_HAVE_WEBENGINE
    static_cast<QWebEngineView *>(m_browser)->reload();
#endif
}

void CBrowserView::logRequest(const QString &method, const QString &target, int status)
{
    if (!m_log)
        return;
    m_log->appendPlainText(QStringLiteral("%1  %2 %3  %4")
                               .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")), method,
                                    target)
                               .arg(status));
}

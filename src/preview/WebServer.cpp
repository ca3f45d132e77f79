#include "WebServer.h"

#include "AspProcessor.h"
#include "HttpConnection.h"
#include "RunningPage.h"
#include "ado/DatabasePool.h"
#include "support/ErrorText.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace preview {

WebServer::WebServer(QObject *parent)
    : QObject(parent), m_processor(std::make_unique<AspProcessor>(m_site))
{
}

WebServer::~WebServer()
{
    stop();
}

void WebServer::setRootFolder(const QString &folder)
{
    m_site.setRootFolder(folder);
}

void WebServer::addVirtualDirectory(const QString &alias, const QString &folder)
{
    m_site.addVirtualDirectory(alias, folder);
}

void WebServer::setFileRoots(const QStringList &folders)
{
    m_processor->setFileRoots(folders);
}

void WebServer::serveProject(const QString &siteFolder, const QString &aspFolder,
                             const QString &dbFolder, const QString &imagesFolder)
{
    m_site.setRootFolder(aspFolder);
    m_site.addVirtualDirectory(QStringLiteral("/db"), dbFolder);
    m_site.addVirtualDirectory(QStringLiteral("/images"), imagesFolder);
    m_processor->setFileRoots({siteFolder, dbFolder});
}

void WebServer::setPageTimeLimit(int ms)
{
    m_processor->setPageTimeLimit(ms);
}

bool WebServer::start(QString *error)
{
    if (m_listener)
        return true;
    RunningPage::clearStop();
    m_listener = new QTcpServer(this);
    m_listener->setMaxPendingConnections(kMaxConnections);
    connect(m_listener, &QTcpServer::newConnection, this, &WebServer::acceptConnections);
    if (!m_listener->listen(QHostAddress::LocalHost, m_port)) {
        if (error)
            *error = ErrorText::italian(m_listener->errorString());
        delete m_listener;
        m_listener = nullptr;
        return false;
    }
    return true;
}

void WebServer::stop()
{
    if (m_listener) {
        m_listener->close();
        delete m_listener;
        m_listener = nullptr;
    }
    const QList<HttpConnection *> connections = m_connections;
    m_connections.clear();
    for (HttpConnection *c : connections) {
        disconnect(c, nullptr, this, nullptr);
        delete c;
    }
    // No connection to the site's databases outlives the server.
    DatabasePool::closeAll();
}

bool WebServer::isListening() const
{
    return m_listener && m_listener->isListening();
}

quint16 WebServer::port() const
{
    return m_listener ? m_listener->serverPort() : m_port;
}

QString WebServer::address() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(port());
}

void WebServer::acceptConnections()
{
    while (m_listener && m_listener->hasPendingConnections()) {
        QTcpSocket *socket = m_listener->nextPendingConnection();
        if (m_connections.size() >= m_maxConnections) {
            for (HttpConnection *c : std::as_const(m_connections)) {
                if (c->isIdle()) {
                    c->closeIdle();
                    break;
                }
            }
        }
        if (m_connections.size() >= m_maxConnections) {
            refuseConnection(socket);
            continue;
        }
        auto *connection = new HttpConnection(socket, *this);
        connect(connection, &HttpConnection::finished, this, &WebServer::connectionFinished);
        m_connections.append(connection);
    }
}

void WebServer::refuseConnection(QTcpSocket *socket)
{
    // The answer goes out at once; the client's request is read and
    // dropped, and the socket closes when the client does or a little
    // later. Closing with its request unread would reset the connection
    // and the client could lose the answer.
    socket->setParent(this);
    socket->write(HttpConnection::errorAnswer(503, true));
    socket->flush();
    connect(socket, &QTcpSocket::readyRead, socket, [socket] { socket->readAll(); });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(kRefusedLingerMs, socket, [socket] {
        socket->readAll();
        socket->disconnectFromHost();
    });
    emit requestServed(QString(), QString(), 503);
}

void WebServer::connectionFinished(HttpConnection *connection)
{
    m_connections.removeOne(connection);
    connection->deleteLater();
}

} // namespace preview

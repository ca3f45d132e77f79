#pragma once

#include "SiteMap.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QTcpServer;
class QTcpSocket;

namespace preview {

class AspProcessor;
class HttpConnection;

// The preview's HTTP server: serves the site's files from the root folder
// and the virtual directories, runs ".asp" pages through the page
// processor, and keeps one session for its whole life. It listens on the
// loopback interface only and works on the thread's event loop. When every
// slot is taken, a kept-alive connection with nothing to do makes room;
// failing that, the new client is answered 503 (its request is read first,
// so that the answer is not lost to a reset).
class WebServer : public QObject {
    Q_OBJECT

public:
    static constexpr quint16 kDefaultPort = 18888;
    static constexpr int kMaxConnections = 256;
    static constexpr int kRequestLineTimeoutMs = 5000;  // a connection without a whole request line
    static constexpr int kRequestTimeoutMs = 15000;  // a request that does not finish arriving
    static constexpr int kIdleTimeoutMs = 60000;     // a kept-alive connection with nothing to do
    static constexpr int kRefusedLingerMs = 1000;    // a refused client's request is read for this long
    static constexpr qint64 kFileChunkBytes = 128 * 1024;  // static files are sent in pieces of this size

    explicit WebServer(QObject *parent = nullptr);
    ~WebServer() override;

    void setPort(quint16 port) { m_port = port; }  // 0: any free port (tests)
    void setRootFolder(const QString &folder);
    void addVirtualDirectory(const QString &alias, const QString &folder);
    // Folders that pages may open files and databases in (default: the
    // root and the alias folders).
    void setFileRoots(const QStringList &folders);
    // Serves a project's site: root aspFolder, "/db" and "/images" aliases,
    // pages confined to the site and database folders.
    void serveProject(const QString &siteFolder, const QString &aspFolder, const QString &dbFolder,
                      const QString &imagesFolder);
    void setPageTimeLimit(int ms);
    void setMaxConnections(int n) { m_maxConnections = n; }
    void setRequestLineTimeout(int ms) { m_requestLineTimeoutMs = ms; }
    int requestLineTimeout() const { return m_requestLineTimeoutMs; }
    void setRequestTimeout(int ms) { m_requestTimeoutMs = ms; }
    int requestTimeout() const { return m_requestTimeoutMs; }
    void setIdleTimeout(int ms) { m_idleTimeoutMs = ms; }
    int idleTimeout() const { return m_idleTimeoutMs; }

    // Starts listening on 127.0.0.1. Returns false, with the reason in
    // *error, when the port cannot be bound.
    bool start(QString *error = nullptr);
    void stop();
    bool isListening() const;
    quint16 port() const;  // the bound port once started
    QString address() const;  // "http://127.0.0.1:<port>"

    const SiteMap &site() const { return m_site; }
    AspProcessor &processor() { return *m_processor; }
    int connectionCount() const { return int(m_connections.size()); }

signals:
    // One answer went out (or an error answer for a refused request).
    void requestServed(const QString &method, const QString &target, int status);

private:
    void acceptConnections();
    void refuseConnection(QTcpSocket *socket);
    void connectionFinished(HttpConnection *connection);

    SiteMap m_site;
    std::unique_ptr<AspProcessor> m_processor;
    QTcpServer *m_listener = nullptr;
    QList<HttpConnection *> m_connections;
    quint16 m_port = kDefaultPort;
    int m_maxConnections = kMaxConnections;
    int m_requestLineTimeoutMs = kRequestLineTimeoutMs;
    int m_requestTimeoutMs = kRequestTimeoutMs;
    int m_idleTimeoutMs = kIdleTimeoutMs;
};

} // namespace preview

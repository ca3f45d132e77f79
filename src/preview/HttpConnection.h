#pragma once

#include "HttpRequestParser.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <memory>

class QFile;
class QTcpSocket;

namespace preview {

class WebServer;

// One browser connection: reads requests one after the other, answers
// each, streams static files in bounded pieces, and ends itself when the
// peer closes, a request is refused, or a timer runs out.
class HttpConnection : public QObject {
    Q_OBJECT

public:
    HttpConnection(QTcpSocket *socket, WebServer &server);
    ~HttpConnection() override;

    // Answer texts (status line and headers).
    static QByteArray statusLine(int status);
    static QByteArray errorAnswer(int status, bool close);

signals:
    void finished(HttpConnection *connection);

private:
    enum class Wait { None, Request, Idle, Sending };

    void onReadyRead();
    void onBytesWritten();
    void onTimeout();
    void processBuffer();
    void serve(const HttpRequestParser::Result &request, const QByteArray &text);
    void pumpFile();
    void refuse(int status, const QByteArray &method, const QByteArray &target);
    void setWait(Wait wait);

    QTcpSocket *m_socket;
    WebServer &m_server;
    QByteArray m_buffer;
    std::unique_ptr<QFile> m_file;
    QTimer m_timer;
    Wait m_wait = Wait::None;
    bool m_closing = false;
    bool m_keepAlive = true;
    bool m_processing = false;
    bool m_finished = false;
};

} // namespace preview

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
//
// A client may close its sending side right after its request: the socket
// layer would take that end of input for the end of the connection and drop
// what is still to be sent, so while an answer is going out nothing more is
// read from the peer (one byte is held back in the socket's read buffer,
// which then counts as full) until the answer has left.
class HttpConnection : public QObject {
    Q_OBJECT

public:
    HttpConnection(QTcpSocket *socket, WebServer &server);
    ~HttpConnection() override;

    // Answer texts (status line and headers).
    static QByteArray statusLine(int status);
    static QByteArray errorAnswer(int status, bool close);

    // True between requests of a kept-alive connection (at least one
    // answered, nothing received since, nothing left to send): the server
    // may close it to make room for a new client.
    bool isIdle() const;
    void closeIdle();

signals:
    void finished(HttpConnection *connection);

private:
    // Line: no whole request line yet (a new connection, or a kept-alive one
    // that began its next request); Request: the rest of a request; Idle:
    // between requests; Sending: an answer the peer must take.
    enum class Wait { None, Line, Request, Idle, Sending };

    void onReadyRead();
    void onBytesWritten();
    void onTimeout();
    void processBuffer();
    void serve(const HttpRequestParser::Result &request, const QByteArray &text);
    void serveSafely(const HttpRequestParser::Result &request, const QByteArray &text);
    void holdInput();
    void releaseInput();
    void answerLeft();
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
    bool m_holding = false;  // input held back while an answer goes out
    int m_served = 0;
};

} // namespace preview

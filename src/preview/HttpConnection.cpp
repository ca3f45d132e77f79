#include "HttpConnection.h"

#include "AspProcessor.h"
#include "WebServer.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QTcpSocket>

namespace preview {

namespace {

// More than one request's worth of unread bytes is never kept.
constexpr qint64 kMaxBufferedBytes = HttpLimits::kMaxHeadBytes + HttpLimits::kMaxBodyBytes;

const char *reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 302: return "Object moved";
    case 400: return "Bad Request";
    case 404: return "File Not Found";
    case 408: return "Request Timeout";
    case 411: return "Length Required";
    case 413: return "Payload Too Large";
    case 414: return "URI Too Long";
    case 431: return "Request Header Fields Too Large";
    case 501: return "Not Implemented";
    case 503: return "Service Unavailable";
    case 500: return "Internal Server Error";
    case 505: return "HTTP Version Not Supported";
    default: return "Error";
    }
}

QByteArray contentType(const QString &fileName)
{
    static QMimeDatabase db;
    const QMimeType type = db.mimeTypeForFile(fileName, QMimeDatabase::MatchExtension);
    if (!type.isValid() || type.isDefault())
        return {};
    return type.name().toLatin1();
}

} // namespace

HttpConnection::HttpConnection(QTcpSocket *socket, WebServer &server)
    : m_socket(socket), m_server(server)
{
    m_socket->setParent(this);
    m_timer.setSingleShot(true);
    connect(m_socket, &QTcpSocket::readyRead, this, &HttpConnection::onReadyRead);
    connect(m_socket, &QTcpSocket::bytesWritten, this, &HttpConnection::onBytesWritten);
    connect(m_socket, &QTcpSocket::disconnected, this, [this] {
        if (!m_finished) {
            m_finished = true;
            emit finished(this);
        }
    });
    connect(&m_timer, &QTimer::timeout, this, &HttpConnection::onTimeout);
    setWait(Wait::Line);
}

HttpConnection::~HttpConnection() = default;

QByteArray HttpConnection::statusLine(int status)
{
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
}

QByteArray HttpConnection::errorAnswer(int status, bool close)
{
    QByteArray answer = statusLine(status) + "Content-Type: text/html\r\nContent-Length: 0\r\n";
    if (close)
        answer += "Connection: close\r\n";
    return answer + "\r\n";
}

void HttpConnection::setWait(Wait wait)
{
    m_wait = wait;
    switch (wait) {
    case Wait::None: m_timer.stop(); break;
    case Wait::Line: m_timer.start(m_server.requestLineTimeout()); break;
    case Wait::Request:
    case Wait::Sending: m_timer.start(m_server.requestTimeout()); break;
    case Wait::Idle: m_timer.start(m_server.idleTimeout()); break;
    }
}

bool HttpConnection::isIdle() const
{
    return m_wait == Wait::Idle && m_served > 0 && m_buffer.isEmpty() && !m_file && !m_holding && !m_closing
        && m_socket->bytesToWrite() == 0;
}

void HttpConnection::closeIdle()
{
    m_closing = true;
    setWait(Wait::None);
    m_socket->disconnectFromHost();
    if (!m_finished) {
        m_finished = true;
        emit finished(this);
    }
}

void HttpConnection::onTimeout()
{
    if (m_closing) {
        m_socket->abort();
        return;
    }
    if (m_wait == Wait::Request || (m_wait == Wait::Line && !m_buffer.isEmpty())) {
        refuse(408, {}, {});
        return;
    }
    // Idle, a client that never asked anything, or a peer that stopped
    // reading what we send.
    m_socket->abort();
}

void HttpConnection::onReadyRead()
{
    if (m_holding)
        return;  // read again once the answer has left
    const QByteArray data = m_socket->readAll();
    if (m_closing)
        return;
    m_buffer += data;
    if (m_buffer.size() > kMaxBufferedBytes && !m_file) {
        processBuffer();
        if (!m_closing && m_buffer.size() > kMaxBufferedBytes)
            refuse(413, {}, {});
        return;
    }
    if (m_buffer.size() > kMaxBufferedBytes) {
        refuse(413, {}, {});
        return;
    }
    if (!m_file)
        processBuffer();
}

void HttpConnection::holdInput()
{
    if (m_holding || m_closing)
        return;
    m_holding = true;
    m_socket->setReadBufferSize(1);
    m_socket->ungetChar('\n');
}

void HttpConnection::releaseInput()
{
    if (!m_holding)
        return;
    m_holding = false;
    m_socket->setReadBufferSize(0);
    char held = 0;
    m_socket->getChar(&held);
}

void HttpConnection::onBytesWritten()
{
    if (m_holding && !m_closing)
        setWait(Wait::Sending);  // the peer is taking the answer
    if (m_file) {
        setWait(Wait::Sending);
        pumpFile();
        if (!m_file)
            processBuffer();
    }
    answerLeft();
}

// Once everything of the answers so far is with the system, input is read
// again: what came meanwhile, or the peer's end of input.
void HttpConnection::answerLeft()
{
    if (!m_holding || m_file || m_socket->bytesToWrite() > 0)
        return;
    releaseInput();
    if (m_socket->bytesAvailable() > 0)
        QTimer::singleShot(0, this, &HttpConnection::onReadyRead);
    else if (m_wait == Wait::Sending)
        setWait(m_buffer.isEmpty() ? Wait::Idle : Wait::Request);
}

void HttpConnection::processBuffer()
{
    if (m_processing)
        return;
    m_processing = true;
    while (!m_file && !m_closing) {
        // Blank lines between requests are allowed.
        qsizetype skip = 0;
        while (skip < m_buffer.size() && (m_buffer[skip] == '\r' || m_buffer[skip] == '\n'))
            ++skip;
        if (skip)
            m_buffer.remove(0, skip);
        if (m_buffer.isEmpty()) {
            if (m_holding)
                setWait(Wait::Sending);
            else
                setWait(m_served > 0 ? Wait::Idle : Wait::Line);
            break;
        }
        const HttpRequestParser::Result r = HttpRequestParser::parse(m_buffer);
        if (r.state == HttpRequestParser::State::Incomplete) {
            // The clock runs from the first byte of the request, not the
            // last; a request line must come sooner than the rest.
            const Wait wanted = m_buffer.contains("\r\n") ? Wait::Request : Wait::Line;
            if (m_wait != wanted && !(m_wait == Wait::Line && wanted == Wait::Line))
                setWait(wanted);
            break;
        }
        if (r.state == HttpRequestParser::State::Invalid) {
            const qsizetype blank = m_buffer.indexOf(' ');
            refuse(r.status, blank > 0 && blank < 16 ? m_buffer.left(blank) : QByteArray(), {});
            break;
        }
        const QByteArray text = m_buffer.left(r.length);
        m_buffer.remove(0, r.length);
        setWait(Wait::None);
        m_keepAlive = r.keepAlive;
        ++m_served;
        serveSafely(r, text);
        holdInput();
        if (!m_keepAlive && !m_closing) {
            m_closing = true;
            if (!m_file)
                m_socket->disconnectFromHost();
        }
    }
    m_processing = false;
}

void HttpConnection::refuse(int status, const QByteArray &method, const QByteArray &target)
{
    m_closing = true;
    m_file.reset();
    m_buffer.clear();
    releaseInput();
    setWait(Wait::Sending);
    m_socket->write(errorAnswer(status, true));
    m_socket->flush();  // with the system before the peer's end of input can end the socket
    emit m_server.requestServed(QString::fromLatin1(method), QString::fromLatin1(target), status);
    m_socket->disconnectFromHost();
}

// No page and no file may take the server down: whatever escapes the
// answer (memory exhausted, an unexpected failure) ends this request with
// 500 and this connection, and the server goes on.
void HttpConnection::serveSafely(const HttpRequestParser::Result &request, const QByteArray &text)
{
    try {
        serve(request, text);
    } catch (const std::exception &) {
        refuse(500, request.method, request.target);
    }
}

void HttpConnection::serve(const HttpRequestParser::Result &request, const QByteArray &text)
{
    const QString target = QString::fromLatin1(request.target);
    const QString method = QString::fromLatin1(request.method);
    const qsizetype question = request.target.indexOf('?');
    const QString path = QString::fromLatin1(question < 0 ? request.target : request.target.left(question));
    const QByteArray closeHeader = m_keepAlive ? QByteArray() : QByteArray("Connection: close\r\n");

    const QString file = m_server.site().mapUrl(path);
    auto notFound = [&] {
        m_socket->write(errorAnswer(404, !m_keepAlive));
        emit m_server.requestServed(method, target, 404);
    };
    if (file.isEmpty() || !QFileInfo(file).isFile()) {
        notFound();
        return;
    }

    const QString fileName = QFileInfo(file).fileName();
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : fileName.mid(dot);
    // Pages named on Windows may say ".ASP": they are pages all the same,
    // never sent out as source.
    if (extension.compare(QLatin1String(".asp"), Qt::CaseInsensitive) == 0) {
        AspConnectionInfo connection;
        connection.remoteAddress = m_socket->peerAddress().toString();
        connection.remotePort = m_socket->peerPort();
        connection.localAddress = m_socket->localAddress().toString();
        connection.localPort = m_socket->localPort();
        const AspProcessor::Result page = m_server.processor().processPage(file, text, connection);
        QByteArray head;
        for (const QByteArray &header : page.headers)
            head += header + "\r\n";
        if (!page.redirect.isEmpty()) {
            // The page's cookies and headers go with the redirection.
            QByteArray headers;
            for (const QByteArray &header : page.headers) {
                if (!header.startsWith("Content-Type:"))
                    headers += header + "\r\n";
            }
            m_socket->write(statusLine(302) + "Location: " + page.redirect.toUtf8()
                            + "\r\nContent-Type: text/html\r\n" + headers + "Content-Length: 0\r\n"
                            + closeHeader + "\r\n");
            emit m_server.requestServed(method, target, 302);
            return;
        }
        m_socket->write("HTTP/1.1 " + page.status + "\r\n" + head + "Content-Length: "
                        + QByteArray::number(page.body.size()) + "\r\n" + closeHeader + "\r\n" + page.body);
        emit m_server.requestServed(method, target, page.status.left(3).toInt());
        return;
    }

    auto f = std::make_unique<QFile>(file);
    if (!f->open(QIODevice::ReadOnly)) {
        notFound();
        return;
    }
    QByteArray head = statusLine(200);
    const QByteArray type = contentType(fileName);
    if (!type.isEmpty())
        head += "Content-Type: " + type + "\r\n";
    head += "Content-Length: " + QByteArray::number(f->size()) + "\r\n" + closeHeader + "\r\n";
    // The head and the first piece of the file go out together.
    head += f->read(WebServer::kFileChunkBytes);
    m_socket->write(head);
    if (!f->atEnd()) {
        m_file = std::move(f);
        setWait(Wait::Sending);
    }
    emit m_server.requestServed(method, target, 200);
}

void HttpConnection::pumpFile()
{
    while (m_file && m_socket->bytesToWrite() < WebServer::kFileChunkBytes) {
        const QByteArray chunk = m_file->read(WebServer::kFileChunkBytes);
        if (chunk.isEmpty() || m_file->atEnd()) {
            if (!chunk.isEmpty())
                m_socket->write(chunk);
            m_file.reset();
            if (m_closing)
                m_socket->disconnectFromHost();
            break;
        }
        m_socket->write(chunk);
    }
}

} // namespace preview

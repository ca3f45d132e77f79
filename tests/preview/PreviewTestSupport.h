#pragma once

#include "TempDir.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTcpSocket>
#include <QTimer>

#include <functional>
#include <optional>

// Runs the event loop until done() or the time is up.
inline bool spinUntil(const std::function<bool()> &done, int timeoutMs = 5000)
{
    QElapsedTimer clock;
    clock.start();
    QTimer tick;
    tick.start(5);
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

inline void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(content);
}

// A site in a temporary folder: asp/ (the root), images/, db/.
struct TestSite {
    TempDir dir;
    QString root() const { return dir.file(QStringLiteral("asp")); }
    QString images() const { return dir.file(QStringLiteral("images")); }
    QString db() const { return dir.file(QStringLiteral("db")); }
    TestSite()
    {
        QDir().mkpath(root());
        QDir().mkpath(images());
        QDir().mkpath(db());
    }
    void page(const QString &relative, const QByteArray &content) const
    {
        writeFile(root() + QLatin1Char('/') + relative, content);
    }
};

struct HttpAnswer {
    int status = 0;
    QByteArray head;
    QByteArray body;
    QByteArray header(const QByteArray &name) const
    {
        for (const QByteArray &line : head.split('\n')) {
            const qsizetype colon = line.indexOf(':');
            if (colon > 0 && line.left(colon).trimmed().toLower() == name.toLower())
                return line.mid(colon + 1).trimmed();
        }
        return {};
    }
};

// A client that sends raw bytes and reads answers, spinning the event loop
// so that a server on the same thread can work.
class RawClient {
public:
    bool connectTo(quint16 port)
    {
        QObject::connect(&m_socket, &QTcpSocket::readyRead, [this] { m_received += m_socket.readAll(); });
        m_socket.connectToHost(QStringLiteral("127.0.0.1"), port);
        return spinUntil([this] { return m_socket.state() == QAbstractSocket::ConnectedState; }, 3000);
    }
    void send(const QByteArray &bytes)
    {
        m_socket.write(bytes);
        m_socket.flush();
    }
    bool isClosed() const { return m_socket.state() == QAbstractSocket::UnconnectedState; }
    bool waitClosed(int timeoutMs = 5000)
    {
        return spinUntil([this] { return isClosed(); }, timeoutMs);
    }
    // The next whole answer (status line, headers, Content-Length body).
    std::optional<HttpAnswer> answer(int timeoutMs = 5000)
    {
        std::optional<HttpAnswer> result;
        spinUntil([&] {
            result = take();
            return result.has_value() || isClosed();
        }, timeoutMs);
        if (!result)
            result = take();
        return result;
    }
    QByteArray pending() const { return m_received; }
    QTcpSocket &socket() { return m_socket; }

private:
    std::optional<HttpAnswer> take()
    {
        const qsizetype end = m_received.indexOf("\r\n\r\n");
        if (end < 0)
            return std::nullopt;
        HttpAnswer a;
        a.head = m_received.left(end + 2);
        const qsizetype blank = a.head.indexOf(' ');
        a.status = a.head.mid(blank + 1, 3).toInt();
        const qint64 length = a.header("Content-Length").toLongLong();
        if (m_received.size() < end + 4 + length)
            return std::nullopt;
        a.body = m_received.mid(end + 4, length);
        m_received.remove(0, end + 4 + length);
        return a;
    }

    QTcpSocket m_socket;
    QByteArray m_received;
};

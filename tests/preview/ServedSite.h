#pragma once

#include "PreviewTestSupport.h"

#include "preview/AspProcessor.h"
#include "preview/WebServer.h"

#include <QList>

// A site in a temporary folder served by a preview server on a free port.
struct ServedSite : TestSite {
    preview::WebServer server;

    ServedSite()
    {
        server.setPort(0);
        server.setRootFolder(root());
        server.addVirtualDirectory(QStringLiteral("/db"), db());
        server.addVirtualDirectory(QStringLiteral("/images"), images());
        server.setPageTimeLimit(3000);
        server.start();
    }
    // Sends one request (with the Host header and the extra header lines
    // given) on a new connection and returns the answer.
    std::optional<HttpAnswer> request(const QByteArray &method, const QByteArray &target,
                                      const QByteArray &headers = {}, const QByteArray &body = {})
    {
        RawClient c;
        if (!c.connectTo(server.port()))
            return std::nullopt;
        QByteArray text = method + ' ' + target + " HTTP/1.1\r\nHost: 127.0.0.1:"
            + QByteArray::number(server.port()) + "\r\n" + headers;
        if (method == "POST")
            text += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
        c.send(text + "\r\n" + body);
        return c.answer();
    }
    std::optional<HttpAnswer> get(const QByteArray &target, const QByteArray &headers = {})
    {
        return request("GET", target, headers);
    }
};

// Every value of a header that may come more than once (Set-Cookie).
inline QList<QByteArray> headerValues(const HttpAnswer &a, const QByteArray &name)
{
    QList<QByteArray> out;
    for (const QByteArray &line : a.head.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == name.toLower())
            out.append(line.mid(colon + 1).trimmed());
    }
    return out;
}

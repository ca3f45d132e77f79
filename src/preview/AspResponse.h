#pragma once

#include "AspResponseCookies.h"

#include "script/Dispatch.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace preview {

// The Response object: collects what a page writes and the head of its
// answer. Literal page text is written through WriteHTML(n), entry n of the
// page's chunk table.
//
// The whole answer is held until the page ends (Flush only fixes the head
// and what was written so far); its size is bounded: a page that writes
// past the limit is ended, and the processor reports it. Headers that a
// page sets may not hold CR or LF. Redirect and End end the page.
class AspResponse : public vbs::Dispatch {
public:
    static constexpr qint64 kDefaultOutputLimit = 16 * 1024 * 1024;

    AspResponse();
    QString typeName() const override { return QStringLiteral("IResponse"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    void put(int id, vbs::CallArgs &args, const vbs::Variant &value, bool isSet) override;

    // What the page wrote, as text (binary writes as one character a byte).
    QString output() const;
    void clearOutput();
    QString redirectLocation() const { return m_redirect; }
    QStringList &chunks() { return m_chunks; }
    // Empties the redirect location and the chunk table (after each page).
    void endPage();

    // Appends text to the output (Write); ends the page past the limit.
    void write(const QString &text);
    // Appends a message of the server (an error paragraph) past any limit.
    void appendMessage(const QString &text) { m_text += text; }
    void setOutputLimit(qint64 limit) { m_limit = limit; }
    qint64 outputLimit() const { return m_limit; }
    // True when the page was ended for writing past the limit.
    bool overflowed() const { return m_overflow; }
    // True once End, Redirect or Server.Transfer ended the page.
    bool ended() const { return m_ended; }
    void setEnded() { m_ended = true; }

    // The page's code page (the <%@ CodePage %> directive, Session.CodePage
    // or Response.CodePage); 0 = not given. Raises 5 for one that cannot
    // be used.
    void setCodePage(int codePage);
    // The code page the body is written in: the one given, else the one of
    // the charset given, else UTF-8.
    int effectiveCodePage() const;
    // The charset the answer declares: the one given, else the code page's.
    QString effectiveCharset() const;

    // Status line text after "HTTP/1.1 " ("200 OK", or what the page set).
    QByteArray status() const { return m_status.toLatin1(); }
    // Headers of the answer as "Name: value" (without Content-Length).
    QList<QByteArray> headers() const;
    // The body in the answer's code page.
    QByteArray body() const;

private:
    struct Segment {
        QString text;
        QByteArray bytes;  // a BinaryWrite when not empty
    };
    void append(const QString &text);
    void appendBytes(const QByteArray &bytes);
    void requireHeadOpen() const;
    bool headSent() const;
    void clearBuffer();

    QList<Segment> m_segments;
    QString m_text;          // text written since the last binary segment
    qint64 m_size = 0;       // characters and bytes written
    qint64 m_flushedSize = 0;
    qint64 m_limit = kDefaultOutputLimit;
    bool m_overflow = false;
    bool m_ended = false;
    bool m_buffer = true;
    bool m_flushed = false;
    QString m_redirect;
    QStringList m_chunks;
    QString m_contentType = QStringLiteral("text/html");
    QString m_charset;
    int m_codePage = 0;
    QString m_status = QStringLiteral("200 OK");
    QString m_cacheControl;
    QList<QPair<QString, QString>> m_headers;
    double m_expiresAt = 0;  // OLE date of an Expires header; 0 = none
    int m_lcid = 0;
    vbs::Ref<AspResponseCookies> m_cookies;
};

} // namespace preview

#pragma once

#include "AspFields.h"
#include "AspRequestCookies.h"

#include <QByteArray>

namespace preview {

// What a page may know of the connection its request came on.
struct AspConnectionInfo {
    QString remoteAddress = QStringLiteral("127.0.0.1");
    quint16 remotePort = 0;
    QString localAddress = QStringLiteral("127.0.0.1");
    quint16 localPort = 0;
    QString pageFile;      // the page's file (PATH_TRANSLATED)
    QString rootFolder;    // the site's root folder (APPL_PHYSICAL_PATH)
};

// The Request object: QueryString, Form, Cookies and ServerVariables of the
// request the page answers, its body (TotalBytes, BinaryRead), and
// Request(name), which looks in QueryString, Form, Cookies and
// ServerVariables in that order. Names are compared without regard to case.
class AspRequest : public vbs::Dispatch {
public:
    AspRequest();
    QString typeName() const override { return QStringLiteral("IRequest"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;

    // Fills the collections from the whole request (head and body): the
    // server variables of the request line, its headers (HTTP_...) and the
    // connection; the query's pairs into QueryString; the cookies of the
    // Cookie headers; for a POST with a Content-Length, the body's pairs
    // into Form. Names and values are URL-decoded. Time grows with the
    // size of the request, not with its square.
    void parseRequest(const QByteArray &text, const AspConnectionInfo &connection = {});
    void clear();

    AspFields &queryString() { return *m_queryString; }
    AspFields &form() { return *m_form; }
    AspFields &serverVariables() { return *m_serverVariables; }
    AspRequestCookies &cookies() { return *m_cookies; }
    // Request(name): QueryString's value, or Form's when that is empty,
    // then a cookie's, then a server variable's.
    QString item(const QString &key) const;

private:
    vbs::Variant binaryRead(vbs::CallArgs &args);

    vbs::Ref<AspFields> m_queryString;
    vbs::Ref<AspFields> m_form;
    vbs::Ref<AspFields> m_serverVariables;
    vbs::Ref<AspFields> m_clientCertificate;
    vbs::Ref<AspRequestCookies> m_cookies;
    QByteArray m_body;
    qsizetype m_readPosition = 0;
};

} // namespace preview

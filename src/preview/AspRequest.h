#pragma once

#include "AspFields.h"

#include <QByteArray>

namespace preview {

// The Request object: QueryString, Form and ServerVariables of the request
// the page answers.
class AspRequest : public vbs::Dispatch {
public:
    AspRequest();
    QString typeName() const override { return QStringLiteral("IRequest"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;

    // Fills the collections from the whole request (head and body):
    // REQUEST_METHOD, SCRIPT_NAME ("/" read as "/default.asp"), QUERY_STRING
    // when the URL has a non-empty query; the query's pairs into
    // QueryString; for a POST with a Content-Length header (any letter
    // case), the body's pairs into Form. Names and values are URL-decoded.
    // Time grows with the size of the request, not with its square.
    void parseRequest(const QByteArray &text);
    void clear();

    AspFields &queryString() { return *m_queryString; }
    AspFields &form() { return *m_form; }
    AspFields &serverVariables() { return *m_serverVariables; }
    // Request(name): QueryString's value, or Form's when that is empty.
    QString item(const QString &key) const;

private:
    vbs::Ref<AspFields> m_queryString;
    vbs::Ref<AspFields> m_form;
    vbs::Ref<AspFields> m_serverVariables;
};

} // namespace preview

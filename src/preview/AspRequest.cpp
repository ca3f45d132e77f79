#include "AspRequest.h"

#include "AspText.h"

namespace preview {

using namespace vbs;

namespace {

const MemberTable kMembers{"QueryString", "Form", "ServerVariables", "Item"};
enum Member { QueryString = 1, Form, ServerVariables, Item };

void splitPairs(QByteArray rest, AspFields &into)
{
    while (!rest.isEmpty()) {
        const qsizetype eq = rest.indexOf('=');
        if (eq < 0)
            break;
        const QByteArray name = rest.left(eq);
        const qsizetype amp = rest.indexOf('&', eq + 1);
        const QByteArray value = amp < 0 ? rest.mid(eq + 1) : rest.mid(eq + 1, amp - eq - 1);
        rest = amp < 0 ? QByteArray() : rest.mid(amp + 1);
        into.add(decodeText(urlDecode(name)), decodeText(urlDecode(value)));
    }
}

Variant collection(AspFields &fields, CallArgs &args)
{
    if (args.isEmpty())
        return objectVariant(Ref<Dispatch>(&fields));
    return fields.call(Dispatch::kDefaultMember, args, true);
}

} // namespace

AspRequest::AspRequest()
    : m_queryString(makeRef<AspFields>()), m_form(makeRef<AspFields>()),
      m_serverVariables(makeRef<AspFields>())
{
}

int AspRequest::findMember(const QString &name) const { return kMembers.find(name); }
const void *AspRequest::memberKey() const { return &kMembers; }

Variant AspRequest::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case QueryString:
        return collection(*m_queryString, args);
    case Form:
        return collection(*m_form, args);
    case ServerVariables:
        return collection(*m_serverVariables, args);
    case kDefaultMember:
    case Item:
        args.expect(0, 1);
        return Variant(item(argText(args, 0)));
    default:
        raise(ErrNoSuchMember);
    }
}

QString AspRequest::item(const QString &key) const
{
    const QString fromQuery = m_queryString->item(key);
    return fromQuery.isEmpty() ? m_form->item(key) : fromQuery;
}

void AspRequest::clear()
{
    m_queryString->clear();
    m_form->clear();
    m_serverVariables->clear();
}

void AspRequest::parseRequest(const QByteArray &text)
{
    const qsizetype blank = text.indexOf(' ');
    const QByteArray method = blank < 0 ? text : text.left(blank);
    m_serverVariables->add(QStringLiteral("REQUEST_METHOD"), QString::fromLatin1(method));

    QByteArray url;
    if (blank >= 0) {
        const qsizetype next = text.indexOf(' ', blank + 1);
        url = next < 0 ? text.mid(blank + 1) : text.mid(blank + 1, next - blank - 1);
    }
    const qsizetype question = url.indexOf('?');
    QByteArray path = question < 0 ? url : url.left(question);
    if (path == "/")
        path = "/default.asp";
    m_serverVariables->add(QStringLiteral("SCRIPT_NAME"), decodeText(path));

    if (question >= 0) {
        const QByteArray query = url.mid(question + 1);
        if (!query.isEmpty()) {
            m_serverVariables->add(QStringLiteral("QUERY_STRING"), decodeText(query));
            splitPairs(query, *m_queryString);
        }
    }

    const qsizetype lengthHeader = text.indexOf("Content-Length:");
    if (text.startsWith("POST") && lengthHeader >= 0 && text.indexOf("\r\n", lengthHeader) >= 0) {
        const qsizetype headEnd = text.indexOf("\r\n\r\n");
        if (headEnd >= 0)
            splitPairs(text.mid(headEnd + 4), *m_form);
    }
}

} // namespace preview

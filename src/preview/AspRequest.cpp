#include "AspRequest.h"

#include "AspText.h"

namespace preview {

using namespace vbs;

namespace {

const MemberTable kMembers{"QueryString", "Form", "ServerVariables", "Item"};
enum Member { QueryString = 1, Form, ServerVariables, Item };

// Splits "a=1&b=2" into pairs, in one pass over the text.
void splitPairs(const QByteArray &text, AspFields &into)
{
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype eq = text.indexOf('=', from);
        if (eq < 0)
            break;
        const qsizetype amp = text.indexOf('&', eq + 1);
        const qsizetype end = amp < 0 ? text.size() : amp;
        into.add(decodeText(urlDecode(text.mid(from, eq - from))),
                 decodeText(urlDecode(text.mid(eq + 1, end - eq - 1))));
        from = end + 1;
    }
}

// The position of a header's value in a request head, by name in any
// letter case; -1 when the head has no such header.
qsizetype headerValue(const QByteArray &head, const QByteArray &lowerName)
{
    qsizetype lineStart = head.indexOf("\r\n");
    while (lineStart >= 0 && lineStart + 2 < head.size()) {
        const qsizetype start = lineStart + 2;
        if (head.size() - start > lowerName.size() && head[start + lowerName.size()] == ':'
            && head.mid(start, lowerName.size()).toLower() == lowerName)
            return start + lowerName.size() + 1;
        lineStart = head.indexOf("\r\n", start);
    }
    return -1;
}

} // namespace

namespace {

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

    const qsizetype headEnd = text.indexOf("\r\n\r\n");
    if (text.startsWith("POST") && headEnd >= 0 && headerValue(text.left(headEnd + 2), "content-length") >= 0)
        splitPairs(text.mid(headEnd + 4), *m_form);
}

} // namespace preview

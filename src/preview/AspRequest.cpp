#include "AspRequest.h"

#include "AspStringList.h"
#include "AspText.h"

#include <QDir>

namespace preview {

using namespace vbs;

namespace {

const MemberTable kMembers{"QueryString", "Form", "ServerVariables", "Item", "Cookies", "TotalBytes",
                           "BinaryRead", "ClientCertificate"};
enum Member { QueryString = 1, Form, ServerVariables, Item, Cookies, TotalBytes, BinaryRead, ClientCertificate };

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

Variant collection(Dispatch &fields, CallArgs &args)
{
    if (args.isEmpty())
        return objectVariant(Ref<Dispatch>(&fields));
    return fields.call(Dispatch::kDefaultMember, args, true);
}

QString latin(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes);
}

} // namespace

AspRequest::AspRequest()
    : m_queryString(makeRef<AspFields>()), m_form(makeRef<AspFields>()),
      m_serverVariables(makeRef<AspFields>()), m_clientCertificate(makeRef<AspFields>()),
      m_cookies(makeRef<AspRequestCookies>())
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
    case Cookies:
        return collection(*m_cookies, args);
    case ClientCertificate:
        return collection(*m_clientCertificate, args);
    case kDefaultMember:
    case Item: {
        args.expect(0, 1);
        const QString key = argText(args, 0);
        for (AspFields *fields : {m_queryString.get(), m_form.get()}) {
            if (!fields->item(key).isEmpty())
                return objectVariant(makeRef<AspStringList>(fields->values(key)));
        }
        const QString value = item(key);
        return objectVariant(makeRef<AspStringList>(value.isEmpty() ? QStringList() : QStringList{value}));
    }
    case TotalBytes:
        args.expect(0, 0);
        return Variant(int32_t(m_body.size()));
    case BinaryRead:
        return binaryRead(args);
    default:
        raise(ErrNoSuchMember);
    }
}

Variant AspRequest::binaryRead(CallArgs &args)
{
    args.expect(1, 1);
    const int32_t wanted = args[0].toLong();
    if (wanted < 0)
        raise(ErrInvalidCall);
    const qsizetype n = std::min<qsizetype>(wanted, m_body.size() - m_readPosition);
    auto *array = new ArrayData({ArrayBound{0, int32_t(n)}});
    Variant result = Variant::array(array);
    array->items.resize(size_t(n));
    for (qsizetype i = 0; i < n; ++i)
        array->items[size_t(i)] = Variant::byte(uint8_t(m_body[m_readPosition + i]));
    m_readPosition += n;
    args.setRef(0, Variant(int32_t(n)));
    return result;
}

QString AspRequest::item(const QString &key) const
{
    QString value = m_queryString->item(key);
    if (value.isEmpty())
        value = m_form->item(key);
    if (value.isEmpty())
        value = m_cookies->value(key);
    if (value.isEmpty())
        value = m_serverVariables->item(key);
    return value;
}

void AspRequest::clear()
{
    m_queryString->clear();
    m_form->clear();
    m_serverVariables->clear();
    m_cookies = makeRef<AspRequestCookies>();
    m_body.clear();
    m_readPosition = 0;
}

void AspRequest::parseRequest(const QByteArray &text, const AspConnectionInfo &connection)
{
    // Request line, headers, body.
    const qsizetype headEnd = text.indexOf("\r\n\r\n");
    const QByteArray head = headEnd < 0 ? text : text.left(headEnd);
    const QList<QByteArray> lines = head.split('\n');
    const QByteArray requestLine = lines.value(0).trimmed();
    const QList<QByteArray> words = requestLine.split(' ');
    const QByteArray method = words.value(0);
    const QByteArray url = words.value(1);
    const QByteArray protocol = words.size() > 2 ? words.value(2) : QByteArray("HTTP/1.0");

    QList<QPair<QByteArray, QByteArray>> headers;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        headers.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
    }
    auto header = [&](const char *name) -> QByteArray {
        for (const auto &h : headers) {
            if (h.first.compare(name, Qt::CaseInsensitive) == 0)
                return h.second;
        }
        return {};
    };
    bool hasLength = false;
    for (const auto &h : headers)
        hasLength = hasLength || h.first.compare("Content-Length", Qt::CaseInsensitive) == 0;
    if (headEnd >= 0 && hasLength)
        m_body = text.mid(headEnd + 4);
    m_readPosition = 0;

    const qsizetype question = url.indexOf('?');
    QByteArray path = question < 0 ? url : url.left(question);
    if (path == "/")
        path = "/default.asp";
    const QByteArray query = question < 0 ? QByteArray() : url.mid(question + 1);
    const QString scriptName = decodeText(urlDecode(path.replace('+', "%2B")));

    QByteArray host = header("Host");
    QByteArray serverName = host;
    if (serverName.startsWith('[')) {
        serverName = serverName.left(serverName.indexOf(']') + 1);
    } else if (serverName.contains(':')) {
        serverName = serverName.left(serverName.indexOf(':'));
    }
    if (serverName.isEmpty())
        serverName = connection.localAddress.toLatin1();

    QByteArray allHttp;
    QByteArray allRaw;
    QList<QPair<QString, QString>> httpVariables;
    for (const auto &h : headers) {
        QByteArray name = "HTTP_" + h.first.toUpper();
        name.replace('-', '_');
        httpVariables.append({latin(name), decodeText(h.second)});
        allHttp += name + ':' + h.second + '\n';
        allRaw += h.first + ": " + h.second + "\r\n";
    }

    const QString physicalRoot = connection.rootFolder.isEmpty()
        ? QString() : QDir::toNativeSeparators(QDir::cleanPath(connection.rootFolder)) + QDir::separator();
    AspFields &sv = *m_serverVariables;
    sv.add(QStringLiteral("ALL_HTTP"), decodeText(allHttp));
    sv.add(QStringLiteral("ALL_RAW"), decodeText(allRaw));
    sv.add(QStringLiteral("APPL_MD_PATH"), QStringLiteral("/LM/W3SVC/1/ROOT"));
    sv.add(QStringLiteral("APPL_PHYSICAL_PATH"), physicalRoot);
    sv.add(QStringLiteral("AUTH_PASSWORD"), QString());
    sv.add(QStringLiteral("AUTH_TYPE"), QString());
    sv.add(QStringLiteral("AUTH_USER"), QString());
    sv.add(QStringLiteral("CONTENT_LENGTH"), QString::number(m_body.size()));
    sv.add(QStringLiteral("CONTENT_TYPE"), latin(header("Content-Type")));
    sv.add(QStringLiteral("GATEWAY_INTERFACE"), QStringLiteral("CGI/1.1"));
    sv.add(QStringLiteral("HTTPS"), QStringLiteral("off"));
    sv.add(QStringLiteral("INSTANCE_ID"), QStringLiteral("1"));
    sv.add(QStringLiteral("LOCAL_ADDR"), connection.localAddress);
    sv.add(QStringLiteral("LOGON_USER"), QString());
    sv.add(QStringLiteral("PATH_INFO"), scriptName);
    sv.add(QStringLiteral("PATH_TRANSLATED"),
           connection.pageFile.isEmpty() ? QString() : QDir::toNativeSeparators(connection.pageFile));
    sv.add(QStringLiteral("QUERY_STRING"), decodeText(query));
    sv.add(QStringLiteral("REMOTE_ADDR"), connection.remoteAddress);
    sv.add(QStringLiteral("REMOTE_HOST"), connection.remoteAddress);
    sv.add(QStringLiteral("REMOTE_PORT"), QString::number(connection.remotePort));
    sv.add(QStringLiteral("REMOTE_USER"), QString());
    sv.add(QStringLiteral("REQUEST_METHOD"), latin(method));
    sv.add(QStringLiteral("SCRIPT_NAME"), scriptName);
    sv.add(QStringLiteral("SERVER_NAME"), latin(serverName));
    sv.add(QStringLiteral("SERVER_PORT"), QString::number(connection.localPort));
    sv.add(QStringLiteral("SERVER_PORT_SECURE"), QStringLiteral("0"));
    sv.add(QStringLiteral("SERVER_PROTOCOL"), latin(protocol));
    sv.add(QStringLiteral("SERVER_SOFTWARE"), QStringLiteral("Zanfira-Preview"));
    sv.add(QStringLiteral("URL"), scriptName);
    sv.add(QStringLiteral("HTTP_URL"), latin(url));
    for (const auto &v : httpVariables)
        sv.add(v.first, v.second);

    if (!query.isEmpty())
        splitPairs(query, *m_queryString);
    for (const auto &h : headers) {
        if (h.first.compare("Cookie", Qt::CaseInsensitive) == 0)
            m_cookies->parseHeader(h.second);
    }
    if (method == "POST" && hasLength && !header("Content-Type").toLower().startsWith("multipart/"))
        splitPairs(m_body, *m_form);
}

} // namespace preview

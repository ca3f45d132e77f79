#include "AspResponseCookies.h"

#include "AspFields.h"
#include "NameEnumerator.h"
#include "AspText.h"

namespace preview {

using namespace vbs;

namespace {

const MemberTable kCookieMembers{"Item", "Expires", "Domain", "Path", "Secure", "HttpOnly", "HasKeys"};
enum CookieMember { Item = 1, Expires, Domain, Path, Secure, HttpOnly, HasKeys };
const MemberTable kCookiesMembers{"Item", "Count", "Key", "_NewEnum"};

QByteArray encodePart(const QString &text)
{
    return urlEncode(text).toLatin1();
}

} // namespace

int AspResponseCookie::findMember(const QString &name) const { return kCookieMembers.find(name); }
const void *AspResponseCookie::memberKey() const { return &kCookieMembers; }

void AspResponseCookie::setValue(const QString &value)
{
    m_value = value;
    m_keys.clear();
}

Variant AspResponseCookie::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case kDefaultMember:
    case Item: {
        args.expect(0, 1);
        if (args.isMissing(0))
            return Variant(m_value);
        const QString key = argText(args, 0);
        for (const auto &pair : m_keys) {
            if (pair.first.compare(key, Qt::CaseInsensitive) == 0)
                return Variant(pair.second);
        }
        return Variant(QString());
    }
    case HasKeys:
        args.expect(0, 0);
        return Variant(!m_keys.isEmpty());
    case Domain:
        args.expect(0, 0);
        return Variant(m_domain);
    case Path:
        args.expect(0, 0);
        return Variant(m_path);
    case Secure:
        args.expect(0, 0);
        return Variant(m_secure);
    case HttpOnly:
        args.expect(0, 0);
        return Variant(m_httpOnly);
    case Expires:
        args.expect(0, 0);
        return m_hasExpires ? Variant::date(m_expires) : Variant();
    default:
        raise(ErrNoSuchMember);
    }
}

void AspResponseCookie::put(int id, CallArgs &args, const Variant &value0, bool)
{
    const Variant value = defaultValue(value0);
    switch (id) {
    case kDefaultMember:
    case Item: {
        args.expect(0, 1);
        if (args.isMissing(0)) {
            setValue(value.toText());
            return;
        }
        const QString key = argText(args, 0);
        m_value.clear();
        for (auto &pair : m_keys) {
            if (pair.first.compare(key, Qt::CaseInsensitive) == 0) {
                pair.second = value.toText();
                return;
            }
        }
        m_keys.append({key, value.toText()});
        return;
    }
    case Expires:
        args.expect(0, 0);
        m_expires = value.toDate();
        m_hasExpires = true;
        return;
    case Domain:
    case Path: {
        args.expect(0, 0);
        const QString text = value.toText();
        requireHeaderText(text);
        if (text.contains(QLatin1Char(';')))
            raise(ErrInvalidCall, QStringLiteral("Un attributo del cookie non può contenere il carattere ';'."));
        (id == Domain ? m_domain : m_path) = text;
        return;
    }
    case Secure:
        args.expect(0, 0);
        m_secure = value.toBool();
        return;
    case HttpOnly:
        args.expect(0, 0);
        m_httpOnly = value.toBool();
        return;
    default:
        raise(ErrNoSuchMember);
    }
}

std::unique_ptr<Enumerator> AspResponseCookie::enumerate()
{
    QStringList names;
    for (const auto &pair : m_keys)
        names.append(pair.first);
    return std::make_unique<NameEnumerator>(names);
}

QByteArray AspResponseCookie::headerValue() const
{
    QByteArray out = encodePart(m_name) + '=';
    if (m_keys.isEmpty()) {
        out += encodePart(m_value);
    } else {
        for (qsizetype i = 0; i < m_keys.size(); ++i) {
            if (i)
                out += '&';
            out += encodePart(m_keys[i].first) + '=' + encodePart(m_keys[i].second);
        }
    }
    if (m_hasExpires)
        out += "; expires=" + httpDate(m_expires, true);
    if (!m_domain.isEmpty())
        out += "; domain=" + m_domain.toUtf8();
    if (!m_path.isEmpty())
        out += "; path=" + m_path.toUtf8();
    if (m_secure)
        out += "; secure";
    if (m_httpOnly)
        out += "; HttpOnly";
    return out;
}

// --- the collection ---------------------------------------------------------------

int AspResponseCookies::findMember(const QString &name) const { return kCookiesMembers.find(name); }
const void *AspResponseCookies::memberKey() const { return &kCookiesMembers; }

Ref<AspResponseCookie> AspResponseCookies::cookie(const QString &name)
{
    for (const auto &c : m_cookies) {
        if (c->name().compare(name, Qt::CaseInsensitive) == 0)
            return c;
    }
    requireHeaderText(name);
    if (name.isEmpty() || name.contains(QLatin1Char('=')) || name.contains(QLatin1Char(';')))
        raise(ErrInvalidCall, QStringLiteral("Nome di cookie non valido: \"%1\".").arg(name));
    if (m_guard)
        m_guard();
    auto c = makeRef<AspResponseCookie>(name);
    m_cookies.append(c);
    return c;
}

Variant AspResponseCookies::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case kDefaultMember:
    case 1:
        if (args.isEmpty())
            return objectVariant(Ref<Dispatch>(this));
        args.expect(1, 1);
        return objectVariant(cookie(argText(args, 0)));
    case 2:
        args.expect(0, 0);
        return Variant(int32_t(m_cookies.size()));
    case 3: {
        args.expect(1, 1);
        const int index = args[0].toLong();
        if (index < 1 || index > m_cookies.size())
            raise(ErrSubscript);
        return Variant(m_cookies[index - 1]->name());
    }
    case 4:
        args.expect(0, 0);
        return objectVariant(Ref<Dispatch>(this));
    default:
        raise(ErrNoSuchMember);
    }
}

void AspResponseCookies::put(int id, CallArgs &args, const Variant &value, bool)
{
    if (id != kDefaultMember && id != 1)
        raise(ErrNoSuchMember);
    args.expect(1, 1);
    Ref<AspResponseCookie> c = cookie(argText(args, 0));
    if (m_guard)
        m_guard();
    c->setValue(defaultValue(value).toText());
}

std::unique_ptr<Enumerator> AspResponseCookies::enumerate()
{
    QStringList names;
    for (const auto &c : m_cookies)
        names.append(c->name());
    return std::make_unique<NameEnumerator>(names);
}

QList<QByteArray> AspResponseCookies::headerValues() const
{
    QList<QByteArray> out;
    for (const auto &c : m_cookies)
        out.append(c->headerValue());
    return out;
}

} // namespace preview

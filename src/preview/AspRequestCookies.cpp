#include "AspRequestCookies.h"

#include "AspFields.h"
#include "NameEnumerator.h"
#include "AspText.h"

namespace preview {

using namespace vbs;

namespace {

const MemberTable kCookieMembers{"Item", "HasKeys", "Count"};
const MemberTable kCookiesMembers{"Item", "Count", "Key", "_NewEnum"};

QString decoded(const QByteArray &raw)
{
    return decodeText(urlDecode(raw));
}

} // namespace

AspRequestCookie::AspRequestCookie(QString name, const QByteArray &raw) : m_name(std::move(name))
{
    m_value = decoded(raw);
    if (!raw.contains('='))
        return;
    for (const QByteArray &pair : raw.split('&')) {
        const qsizetype eq = pair.indexOf('=');
        if (eq < 0)
            continue;
        m_keys.append({decoded(pair.left(eq)), decoded(pair.mid(eq + 1))});
    }
}

QString AspRequestCookie::key(const QString &key) const
{
    for (const auto &pair : m_keys) {
        if (pair.first.compare(key, Qt::CaseInsensitive) == 0)
            return pair.second;
    }
    return {};
}

int AspRequestCookie::findMember(const QString &name) const { return kCookieMembers.find(name); }
const void *AspRequestCookie::memberKey() const { return &kCookieMembers; }

Variant AspRequestCookie::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case kDefaultMember:
    case 1:
        args.expect(0, 1);
        if (args.isMissing(0))
            return Variant(m_value);
        return Variant(key(argText(args, 0)));
    case 2:
        args.expect(0, 0);
        return Variant(!m_keys.isEmpty());
    case 3:
        args.expect(0, 0);
        return Variant(int32_t(m_keys.size()));
    default:
        raise(ErrNoSuchMember);
    }
}

std::unique_ptr<Enumerator> AspRequestCookie::enumerate()
{
    QStringList names;
    for (const auto &pair : m_keys)
        names.append(pair.first);
    return std::make_unique<NameEnumerator>(names);
}

int AspRequestCookies::findMember(const QString &name) const { return kCookiesMembers.find(name); }
const void *AspRequestCookies::memberKey() const { return &kCookiesMembers; }

void AspRequestCookies::parseHeader(const QByteArray &header)
{
    for (const QByteArray &part : header.split(';')) {
        const QByteArray item = part.trimmed();
        const qsizetype eq = item.indexOf('=');
        if (eq <= 0)
            continue;
        const QString name = decoded(item.left(eq).trimmed());
        if (find(name))
            continue;
        m_cookies.append(makeRef<AspRequestCookie>(name, item.mid(eq + 1).trimmed()));
    }
}

const AspRequestCookie *AspRequestCookies::find(const QString &name) const
{
    for (const auto &c : m_cookies) {
        if (c->name().compare(name, Qt::CaseInsensitive) == 0)
            return c.get();
    }
    return nullptr;
}

QString AspRequestCookies::value(const QString &name) const
{
    const AspRequestCookie *c = find(name);
    return c ? c->value() : QString();
}

Variant AspRequestCookies::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case kDefaultMember:
    case 1: {
        if (args.isEmpty())
            return objectVariant(Ref<Dispatch>(this));
        args.expect(1, 1);
        const Variant key = defaultValue(args[0]);
        const AspRequestCookie *c = nullptr;
        if (key.isNumericType()) {
            const int index = key.toLong();
            if (index >= 1 && index <= m_cookies.size())
                c = m_cookies[index - 1].get();
        } else {
            c = find(key.toText());
        }
        if (c)
            return objectVariant(Ref<Dispatch>(const_cast<AspRequestCookie *>(c)));
        return objectVariant(makeRef<AspRequestCookie>());
    }
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

std::unique_ptr<Enumerator> AspRequestCookies::enumerate()
{
    QStringList names;
    for (const auto &c : m_cookies)
        names.append(c->name());
    return std::make_unique<NameEnumerator>(names);
}

} // namespace preview

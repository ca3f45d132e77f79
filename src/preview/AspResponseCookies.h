#pragma once

#include "script/Dispatch.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>

namespace preview {

// One cookie a page sends: Response.Cookies("name") = "value", or keys
// with Response.Cookies("name")("key") = "value", and its Expires, Path,
// Domain, Secure and HttpOnly attributes.
class AspResponseCookie : public vbs::Dispatch {
public:
    explicit AspResponseCookie(QString name) : m_name(std::move(name)) {}
    QString typeName() const override { return QStringLiteral("IWriteCookie"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    void put(int id, vbs::CallArgs &args, const vbs::Variant &value, bool isSet) override;
    std::unique_ptr<vbs::Enumerator> enumerate() override;

    const QString &name() const { return m_name; }
    void setValue(const QString &value);
    // The Set-Cookie header value: name=value (keys joined with "&", names
    // and values URL-encoded), then the attributes that were given.
    QByteArray headerValue() const;

private:
    QString m_name;
    QString m_value;
    QList<QPair<QString, QString>> m_keys;
    QString m_path = QStringLiteral("/");
    QString m_domain;
    double m_expires = 0;
    bool m_hasExpires = false;
    bool m_secure = false;
    bool m_httpOnly = false;
};

// Response.Cookies: the cookies of the answer by name (without regard to
// case), in the order they were first set.
class AspResponseCookies : public vbs::Dispatch {
public:
    QString typeName() const override { return QStringLiteral("IRequestDictionary"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    void put(int id, vbs::CallArgs &args, const vbs::Variant &value, bool isSet) override;
    std::unique_ptr<vbs::Enumerator> enumerate() override;

    // The cookie of that name, made when there is none (names may not hold
    // CR, LF, "=" or ";").
    vbs::Ref<AspResponseCookie> cookie(const QString &name);
    QList<QByteArray> headerValues() const;
    bool isEmpty() const { return m_cookies.isEmpty(); }
    // Called before a change: raises when the headers have gone out.
    void setGuard(std::function<void()> guard) { m_guard = std::move(guard); }

private:
    QList<vbs::Ref<AspResponseCookie>> m_cookies;
    std::function<void()> m_guard;
};

} // namespace preview

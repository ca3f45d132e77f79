#pragma once

#include "script/Dispatch.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace preview {

// One cookie the browser sent: its value, and its keys when the value is
// made of "key=value" pairs joined by "&" (as Response.Cookies(n)(k) writes
// them). Read as a value it gives the whole (decoded) text.
class AspRequestCookie : public vbs::Dispatch {
public:
    AspRequestCookie() = default;
    AspRequestCookie(QString name, const QByteArray &raw);
    QString typeName() const override { return QStringLiteral("IReadCookie"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    std::unique_ptr<vbs::Enumerator> enumerate() override;

    const QString &name() const { return m_name; }
    const QString &value() const { return m_value; }
    QString key(const QString &key) const;

private:
    QString m_name;
    QString m_value;
    QList<QPair<QString, QString>> m_keys;
};

// Request.Cookies: the cookies of the request's Cookie headers, by name
// without regard to case; a missing name reads as an empty cookie.
class AspRequestCookies : public vbs::Dispatch {
public:
    QString typeName() const override { return QStringLiteral("IRequestDictionary"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    std::unique_ptr<vbs::Enumerator> enumerate() override;

    // Adds the cookies of one Cookie header ("a=1; b=x%20y"); the first of
    // two cookies with one name wins, as browsers send the most specific
    // first.
    void parseHeader(const QByteArray &header);
    // The cookie's text, "" when there is none.
    QString value(const QString &name) const;
    int count() const { return int(m_cookies.size()); }

private:
    const AspRequestCookie *find(const QString &name) const;
    QList<vbs::Ref<AspRequestCookie>> m_cookies;
};

} // namespace preview

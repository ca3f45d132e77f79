#pragma once

#include "AspContents.h"

#include "script/Dispatch.h"

#include <QString>

namespace preview {

// The Session object: values of any kind by name (without regard to case),
// kept from page to page and for the server's life until the session is
// abandoned or times out; SessionID, Timeout (minutes), Abandon, CodePage
// and LCID.
class AspSession : public vbs::Dispatch {
public:
    static constexpr int kDefaultTimeoutMinutes = 20;

    AspSession();
    QString typeName() const override { return QStringLiteral("ISessionObject"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    void put(int id, vbs::CallArgs &args, const vbs::Variant &value, bool isSet) override;

    AspContents &contents() { return *m_contents; }
    bool contains(const QString &name) const { return m_contents->contains(name); }
    vbs::Variant value(const QString &name) const { return m_contents->value(name); }
    void setValue(const QString &name, const vbs::Variant &value) { m_contents->setValue(name, value); }
    int count() const { return m_contents->count(); }

    // Starts a new session: a new id, no values, the default timeout.
    void startNew();
    int32_t sessionId() const { return m_id; }
    int timeoutMinutes() const { return m_timeout; }
    // Abandon was called: the session ends when the page does.
    bool isAbandoned() const { return m_abandoned; }
    int codePage() const { return m_codePage; }
    int lcid() const { return m_lcid; }

private:
    vbs::Ref<AspContents> m_contents;
    vbs::Ref<AspContents> m_staticObjects;
    int32_t m_id = 0;
    int m_timeout = kDefaultTimeoutMinutes;
    bool m_abandoned = false;
    int m_codePage = 0;
    int m_lcid = 0;
};

} // namespace preview

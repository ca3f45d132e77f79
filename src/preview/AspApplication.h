#pragma once

#include "AspContents.h"

#include "script/Dispatch.h"

namespace preview {

// The Application object: values shared by every page and session for the
// server's life (Application("name"), Contents, StaticObjects), and Lock /
// Unlock. Pages run one at a time, so the lock only has to be counted.
class AspApplication : public vbs::Dispatch {
public:
    AspApplication();
    QString typeName() const override { return QStringLiteral("IApplicationObject"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    void put(int id, vbs::CallArgs &args, const vbs::Variant &value, bool isSet) override;

    AspContents &contents() { return *m_contents; }
    bool isLocked() const { return m_locks > 0; }
    // A page that ends while holding the lock gives it back.
    void releaseLocks() { m_locks = 0; }

private:
    vbs::Ref<AspContents> m_contents;
    vbs::Ref<AspContents> m_staticObjects;
    int m_locks = 0;
};

} // namespace preview

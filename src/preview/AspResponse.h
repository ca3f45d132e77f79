#pragma once

#include "script/Dispatch.h"

#include <QString>
#include <QStringList>

namespace preview {

// The Response object: collects what a page writes. Literal page text is
// written through WriteHTML(n), entry n of the page's chunk table.
class AspResponse : public vbs::Dispatch {
public:
    QString typeName() const override { return QStringLiteral("IResponse"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    void put(int id, vbs::CallArgs &args, const vbs::Variant &value, bool isSet) override;

    const QString &output() const { return m_output; }
    void clearOutput() { m_output.clear(); }
    QString redirectLocation() const { return m_redirect; }
    QStringList &chunks() { return m_chunks; }
    // Empties the redirect location and the chunk table (after each page).
    void endPage();

private:
    QString m_output;
    QString m_redirect;
    QStringList m_chunks;
};

} // namespace preview

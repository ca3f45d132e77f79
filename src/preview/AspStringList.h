#pragma once

#include "script/Dispatch.h"

#include <QStringList>

namespace preview {

// The value of a request item, as Request.Form("name") gives it: read as a
// value it is every value that arrived under the name, joined by ","
// (Empty when none arrived); Count and Item(i) (from 1) reach each value, as
// pages do with a group of check boxes, and For Each walks them.
class AspStringList : public vbs::Dispatch {
public:
    explicit AspStringList(QStringList values = {}) : m_values(std::move(values)) {}
    QString typeName() const override { return QStringLiteral("IStringList"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    std::unique_ptr<vbs::Enumerator> enumerate() override;

private:
    QStringList m_values;
};

} // namespace preview

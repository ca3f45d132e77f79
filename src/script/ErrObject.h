#pragma once

#include "Dispatch.h"

namespace vbs {

// The Err object: the last run-time error caught under On Error Resume Next.
class ErrObject : public Dispatch {
public:
    int number = 0;
    QString description;
    QString source;
    QString helpFile;
    int helpContext = 0;

    void clear();

    QString typeName() const override { return QStringLiteral("ErrObject"); }
    int findMember(const QString &name) const override { return table().find(name); }
    const void *memberKey() const override { return &table(); }
    Variant call(int id, CallArgs &args, bool wantResult) override;
    void put(int id, CallArgs &args, const Variant &value, bool isSet) override;

private:
    static const MemberTable &table();
};

} // namespace vbs

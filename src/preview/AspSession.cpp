#include "AspSession.h"

#include "AspFields.h"

namespace preview {

using namespace vbs;

namespace {

const MemberTable kMembers{"Item"};
const MemberTable kFieldMembers{"Item"};

} // namespace

int AspSession::findMember(const QString &name) const { return kMembers.find(name); }
const void *AspSession::memberKey() const { return &kMembers; }

Variant AspSession::call(int id, CallArgs &args, bool)
{
    if (id != kDefaultMember && id != 1)
        raise(ErrNoSuchMember);
    args.expect(1, 1);
    const QString name = argText(args, 0);
    if (!contains(name))
        return {};
    return objectVariant(makeRef<AspSessionField>(value(name)));
}

void AspSession::put(int id, CallArgs &args, const Variant &value, bool isSet)
{
    if (id != kDefaultMember && id != 1)
        raise(ErrNoSuchMember);
    args.expect(1, 1);
    // Values are kept as text: objects and arrays cannot be stored.
    const Variant &v = value.deref();
    if (isSet || v.isObject() || v.isArray())
        raise(ErrTypeMismatch);
    setValue(argText(args, 0), v.toText());
}

bool AspSession::contains(const QString &name) const
{
    for (const auto &pair : m_values) {
        if (pair.first == name)
            return true;
    }
    return false;
}

QString AspSession::value(const QString &name) const
{
    for (const auto &pair : m_values) {
        if (pair.first == name)
            return pair.second;
    }
    return {};
}

void AspSession::setValue(const QString &name, const QString &value)
{
    for (auto &pair : m_values) {
        if (pair.first == name) {
            pair.second = value;
            return;
        }
    }
    m_values.append({name, value});
}

int AspSessionField::findMember(const QString &name) const { return kFieldMembers.find(name); }
const void *AspSessionField::memberKey() const { return &kFieldMembers; }

Variant AspSessionField::call(int id, CallArgs &args, bool)
{
    if (id != kDefaultMember && id != 1)
        raise(ErrNoSuchMember);
    args.expect(0, 0);
    return Variant(m_value);
}

} // namespace preview

#include "AspApplication.h"

namespace preview {

using namespace vbs;

namespace {

const MemberTable kMembers{"Item", "Contents", "StaticObjects", "Lock", "Unlock"};
enum Member { Item = 1, Contents, StaticObjects, Lock, Unlock };

} // namespace

AspApplication::AspApplication()
    : m_contents(makeRef<AspContents>()), m_staticObjects(makeRef<AspContents>())
{
}

int AspApplication::findMember(const QString &name) const { return kMembers.find(name); }
const void *AspApplication::memberKey() const { return &kMembers; }

Variant AspApplication::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case kDefaultMember:
    case Item:
        args.expect(1, 1);
        return m_contents->item(args[0]);
    case Contents:
        if (args.isEmpty())
            return objectVariant(m_contents);
        return m_contents->call(kDefaultMember, args, true);
    case StaticObjects:
        if (args.isEmpty())
            return objectVariant(m_staticObjects);
        return m_staticObjects->call(kDefaultMember, args, true);
    case Lock:
        args.expect(0, 0);
        ++m_locks;
        return {};
    case Unlock:
        args.expect(0, 0);
        if (m_locks > 0)
            --m_locks;
        return {};
    default:
        raise(ErrNoSuchMember);
    }
}

void AspApplication::put(int id, CallArgs &args, const Variant &value, bool isSet)
{
    switch (id) {
    case kDefaultMember:
    case Item:
        args.expect(1, 1);
        m_contents->assign(args[0], value, isSet);
        return;
    case Contents:
        m_contents->put(kDefaultMember, args, value, isSet);
        return;
    default:
        raise(ErrNoSuchMember);
    }
}

} // namespace preview

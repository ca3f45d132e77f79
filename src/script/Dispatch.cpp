#include "Dispatch.h"

namespace vbs {

void CallArgs::expect(int min, int max) const
{
    if (m_count < min || (max >= 0 && m_count > max))
        raise(ErrWrongArgCount);
}

MemberTable::MemberTable(std::initializer_list<const char *> names)
{
    int id = 1;
    for (const char *n : names) {
        const QString name = QString::fromLatin1(n);
        m_names.append(name);
        m_ids.insert(name.toLower(), id++);
    }
}

int MemberTable::find(const QString &name) const
{
    const auto it = m_ids.constFind(name.toLower());
    return it == m_ids.constEnd() ? Dispatch::kNoMember : *it;
}

QString MemberTable::name(int id) const
{
    return id >= 1 && id <= m_names.size() ? m_names[id - 1] : QString();
}

void Dispatch::put(int, CallArgs &, const Variant &, bool)
{
    raise(ErrNoSuchMember);
}

Variant callMember(Dispatch *obj, const QString &name, std::initializer_list<Variant> args)
{
    if (!obj)
        raise(ErrObjectNotSet);
    const int id = obj->findMember(name);
    if (id == Dispatch::kNoMember)
        raise(ErrNoSuchMember);
    std::vector<Variant> list(args);
    CallArgs ca(list.data(), int(list.size()));
    return obj->call(id, ca, true);
}

Variant defaultValue(const Variant &v0)
{
    const Variant &v = v0.deref();
    if (!v.isObject())
        return v;
    Dispatch *obj = v.objectValue();
    if (!obj)
        raise(ErrObjectNotSet);
    Ref<Dispatch> keep(obj);
    CallArgs none;
    return obj->call(Dispatch::kDefaultMember, none, true);
}

} // namespace vbs

#include "RegExpMatches.h"

#include "ComponentSupport.h"

namespace vbs {

namespace {

const MemberTable kMatchMembers{"Value", "FirstIndex", "Length", "SubMatches"};
const MemberTable kListMembers{"Count", "Item"};

class VariantEnumerator : public Enumerator {
public:
    explicit VariantEnumerator(std::vector<Variant> items) : m_items(std::move(items)) {}
    bool next(Variant &out) override
    {
        if (m_pos >= m_items.size())
            return false;
        out = m_items[m_pos++];
        return true;
    }

private:
    std::vector<Variant> m_items;
    size_t m_pos = 0;
};

int indexArg(CallArgs &args, size_t count)
{
    args.expect(1, 1);
    const int32_t i = args[0].toLong();
    if (i < 0 || size_t(i) >= count)
        raise(ErrInvalidCall);
    return i;
}

} // namespace

RegExpMatch::RegExpMatch(const QRegularExpressionMatch &m)
    : m_value(m.captured(0)), m_index(int(m.capturedStart(0)))
{
    for (int g = 1; g <= m.regularExpression().captureCount(); ++g) {
        if (m.capturedStart(g) < 0)
            m_groups.emplace_back();
        else
            m_groups.emplace_back(m.captured(g));
    }
}

int RegExpMatch::findMember(const QString &name) const { return kMatchMembers.find(name); }
const void *RegExpMatch::memberKey() const { return &kMatchMembers; }

Variant RegExpMatch::call(int id, CallArgs &args, bool)
{
    if (id == 4)
        return applyToDefault(Variant(static_cast<Dispatch *>(new RegExpSubMatches(m_groups))), args);
    args.expect(0, 0);
    switch (id) {
    case kDefaultMember:
    case 1: return Variant(m_value);
    case 2: return Variant(int32_t(m_index));
    case 3: return Variant(int32_t(m_value.size()));
    default: raise(ErrNoSuchMember);
    }
}

int RegExpSubMatches::findMember(const QString &name) const { return kListMembers.find(name); }
const void *RegExpSubMatches::memberKey() const { return &kListMembers; }

Variant RegExpSubMatches::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case 1:
        args.expect(0, 0);
        return Variant(int32_t(m_groups.size()));
    case kDefaultMember:
    case 2:
        return m_groups[size_t(indexArg(args, m_groups.size()))];
    default:
        raise(ErrNoSuchMember);
    }
}

std::unique_ptr<Enumerator> RegExpSubMatches::enumerate()
{
    return std::make_unique<VariantEnumerator>(m_groups);
}

int RegExpMatches::findMember(const QString &name) const { return kListMembers.find(name); }
const void *RegExpMatches::memberKey() const { return &kListMembers; }

Variant RegExpMatches::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case 1:
        args.expect(0, 0);
        return Variant(int32_t(m_matches.size()));
    case kDefaultMember:
    case 2:
        return objectVariant(m_matches[size_t(indexArg(args, m_matches.size()))]);
    default:
        raise(ErrNoSuchMember);
    }
}

std::unique_ptr<Enumerator> RegExpMatches::enumerate()
{
    std::vector<Variant> items;
    items.reserve(m_matches.size());
    for (const Ref<Dispatch> &m : m_matches)
        items.push_back(objectVariant(m));
    return std::make_unique<VariantEnumerator>(std::move(items));
}

} // namespace vbs

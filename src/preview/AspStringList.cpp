#include "AspStringList.h"

namespace preview {

using namespace vbs;

namespace {

const MemberTable kMembers{"Item", "Count", "_NewEnum"};

class ValueEnumerator : public Enumerator {
public:
    explicit ValueEnumerator(QStringList values) : m_values(std::move(values)) {}
    bool next(Variant &out) override
    {
        if (m_pos >= m_values.size())
            return false;
        out = Variant(m_values[m_pos++]);
        return true;
    }

private:
    QStringList m_values;
    qsizetype m_pos = 0;
};

} // namespace

int AspStringList::findMember(const QString &name) const { return kMembers.find(name); }
const void *AspStringList::memberKey() const { return &kMembers; }

Variant AspStringList::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case kDefaultMember:
    case 1: {
        args.expect(0, 1);
        if (args.isMissing(0))
            return m_values.isEmpty() ? Variant() : Variant(m_values.join(QLatin1Char(',')));
        const int index = defaultValue(args[0]).toLong();
        if (index < 1 || index > m_values.size())
            raise(ErrSubscript);
        return Variant(m_values[index - 1]);
    }
    case 2:
        args.expect(0, 0);
        return Variant(int32_t(m_values.size()));
    case 3:
        args.expect(0, 0);
        return objectVariant(Ref<Dispatch>(this));
    default:
        raise(ErrNoSuchMember);
    }
}

std::unique_ptr<Enumerator> AspStringList::enumerate()
{
    return std::make_unique<ValueEnumerator>(m_values);
}

} // namespace preview

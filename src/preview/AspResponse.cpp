#include "AspResponse.h"

#include "AspFields.h"

namespace preview {

using namespace vbs;

namespace {

const MemberTable kMembers{"Expires", "Write", "WriteHTML", "Redirect"};
enum Member { Expires = 1, Write, WriteHTML, Redirect };

} // namespace

int AspResponse::findMember(const QString &name) const { return kMembers.find(name); }
const void *AspResponse::memberKey() const { return &kMembers; }

Variant AspResponse::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case Expires:
        args.expect(0, 0);
        return Variant(int32_t(0));
    case Write:
        args.expect(1, 1);
        m_output += argText(args, 0);
        return {};
    case WriteHTML: {
        args.expect(1, 1);
        const int32_t index = args[0].toLong();
        // Only indexes of the page's own chunk table are meaningful.
        if (index < 0 || index >= m_chunks.size())
            raise(ErrSubscript);
        m_output += m_chunks[index];
        return {};
    }
    case Redirect:
        args.expect(1, 1);
        m_redirect = argText(args, 0);
        return {};
    default:
        raise(ErrNoSuchMember);
    }
}

void AspResponse::put(int id, CallArgs &args, const Variant &value, bool isSet)
{
    if (id == Expires && args.isEmpty() && !isSet) {
        value.toLong(); // a value that is not a number is refused as on assignment
        return;
    }
    raise(ErrNoSuchMember);
}

void AspResponse::endPage()
{
    m_redirect.clear();
    m_chunks.clear();
}

} // namespace preview

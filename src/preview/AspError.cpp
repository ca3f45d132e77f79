#include "AspError.h"

namespace preview {

using namespace vbs;

namespace {

const MemberTable kMembers{"ASPCode", "Number", "Source", "Category", "File", "Line", "Column",
                           "Description", "ASPDescription"};
enum Member { AspCode = 1, Number, Source, Category, File, Line, Column, Description, AspDescription };

} // namespace

int AspError::findMember(const QString &name) const { return kMembers.find(name); }
const void *AspError::memberKey() const { return &kMembers; }

Variant AspError::call(int id, CallArgs &args, bool)
{
    args.expect(0, 0);
    switch (id) {
    case AspCode:
    case Source:
    case AspDescription:
        return Variant(QString());
    case Number: {
        // Errors of the engine are reported as the servers show them:
        // 0x800A0000 + number.
        const int n = m_info.number;
        return Variant(int32_t(n > 0 && n < 65536 ? int32_t(0x800A0000u | uint32_t(n)) : n));
    }
    case Category:
        return Variant(m_info.category);
    case File:
        return Variant(m_info.file);
    case Line:
        return Variant(int32_t(m_info.line));
    case Column:
        return Variant(int32_t(m_info.column));
    case kDefaultMember:
    case Description:
        return Variant(m_info.description);
    default:
        raise(ErrNoSuchMember);
    }
}

} // namespace preview

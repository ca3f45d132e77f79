#pragma once

#include "../Dispatch.h"

namespace vbs {

// A property without parameters called with arguments, as in
// m.SubMatches(0) or folder.Files("a.txt"): the arguments go to the
// default member of the property's value.
inline Variant applyToDefault(const Variant &value, CallArgs &args)
{
    if (args.isEmpty())
        return value;
    if (!value.isObject() || !value.objectValue())
        raise(ErrWrongArgCount);
    Ref<Dispatch> keep(value.objectValue());
    return keep->call(Dispatch::kDefaultMember, args, true);
}

} // namespace vbs

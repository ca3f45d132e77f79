#pragma once

// How built-in functions and components read their arguments: one place for
// the conversions every one of them needs (an object argument gives its
// default value, as VBScript does when it passes an object where a value is
// expected).

#include "Dispatch.h"
#include "ScriptError.h"
#include "Variant.h"

#include <QString>

namespace vbs {

// An argument that must hold a value: objects give their default value.
inline Variant plainArg(const Variant &v)
{
    const Variant &d = v.deref();
    return d.isObject() ? defaultValue(d) : d;
}

// The text of an argument; Null raises 94 (invalid use of Null), so a
// function that returns Null for Null tests it first.
inline QString textArg(const Variant &v)
{
    const Variant &d = v.deref();
    return d.isObject() ? defaultValue(d).toString() : d.toString();
}

// The text of an argument as & and Write see it: Null and Empty give "".
inline QString writeTextArg(const Variant &v)
{
    const Variant &d = v.deref();
    return d.isObject() ? defaultValue(d).toText() : d.toText();
}

// Optional Boolean argument.
inline bool boolArg(const CallArgs &a, int i, bool fallback)
{
    if (a.isMissing(i))
        return fallback;
    return plainArg(a[i]).toBool();
}

// Optional Long argument (modes, counts, digits).
inline int32_t longArg(const CallArgs &a, int i, int32_t fallback)
{
    if (a.isMissing(i))
        return fallback;
    return plainArg(a[i]).toLong();
}

} // namespace vbs

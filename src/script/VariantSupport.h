#pragma once

// Shared by the Variant source files (conversions, text, operators); not part
// of the engine's API.

#include "Variant.h"

namespace vbs {

inline constexpr double kMinDate = -657434.0;     // 1 January 100
inline constexpr double kMaxDate = 2958465.99999; // 31 December 9999

// A number as Currency (scaled by 10,000, rounded half to even) without
// passing the whole value through a double; raises 6 past the range.
int64_t currencyFromDouble(double d);

// The default value of an object operand; Nothing raises 91, an object
// without a plain default value raises 13.
Variant defaultOf(const Variant &v);

} // namespace vbs

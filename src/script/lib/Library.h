#pragma once

namespace vbs {

class FunctionRegistry;

// Adds the built-in function library (strings, math, dates and times,
// formatting, arrays, locale) and the vb... constants to a registry.
void registerLibraryFunctions(FunctionRegistry &registry);

} // namespace vbs

#include "Library.h"

#include "LibSupport.h"

namespace vbs {

void registerLibraryFunctions(FunctionRegistry &registry)
{
    lib::registerStringFunctions(registry);
    lib::registerMathFunctions(registry);
    lib::registerDateFunctions(registry);
    lib::registerFormatFunctions(registry);
    lib::registerArrayFunctions(registry);
    lib::registerLocaleFunctions(registry);
    lib::registerConstants(registry);
}

} // namespace vbs

#include "Components.h"

#include "Dictionary.h"
#include "FileSystemObject.h"
#include "RegExp.h"

#include "../Registry.h"

namespace vbs {

void registerRuntimeComponents(ComponentRegistry &registry)
{
    registry.add(QStringLiteral("Scripting.Dictionary"),
                 [](Context &) { return Ref<Dispatch>(new Dictionary); });
    registry.add(QStringLiteral("Scripting.FileSystemObject"),
                 [](Context &ctx) { return Ref<Dispatch>(new FileSystemObject(ctx.fileRoots())); });
    registry.add(QStringLiteral("VBScript.RegExp"),
                 [](Context &) { return Ref<Dispatch>(new RegExp); });
}

} // namespace vbs

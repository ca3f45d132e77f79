#pragma once

namespace vbs {

class ComponentRegistry;

// Registers the script runtime's own components under their ProgIDs:
// Scripting.Dictionary, Scripting.FileSystemObject and VBScript.RegExp.
void registerRuntimeComponents(ComponentRegistry &registry);

} // namespace vbs

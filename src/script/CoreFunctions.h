#pragma once

namespace vbs {

class FunctionRegistry;

// The functions that belong to the engine itself: conversions (CStr, CInt,
// CLng, CDbl, CSng, CByte, CCur, CBool, CDate), type checks (VarType,
// TypeName, IsEmpty, IsNull, IsObject, IsArray, IsNumeric), Err,
// CreateObject, GetRef, Eval, ScriptEngine*, and MsgBox/InputBox, which
// raise an error on a server.
void registerCoreFunctions(FunctionRegistry &registry);

} // namespace vbs

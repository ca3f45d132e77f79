#include "CoreFunctions.h"

#include "Dispatch.h"
#include "Registry.h"
#include "ScriptError.h"

namespace vbs {

namespace {

Variant fnCStr(Context &, CallArgs &a) { return Variant(a[0].toString()); }
Variant fnCInt(Context &, CallArgs &a) { return Variant(a[0].toInteger()); }
Variant fnCLng(Context &, CallArgs &a) { return Variant(a[0].toLong()); }
Variant fnCDbl(Context &, CallArgs &a) { return Variant(a[0].toDouble()); }
Variant fnCSng(Context &, CallArgs &a) { return Variant::single(a[0].toSingle()); }
Variant fnCByte(Context &, CallArgs &a) { return Variant::byte(a[0].toByte()); }
Variant fnCCur(Context &, CallArgs &a) { return Variant::currency(a[0].toCurrency()); }
Variant fnCBool(Context &, CallArgs &a) { return Variant(a[0].toBool()); }
Variant fnCDate(Context &, CallArgs &a) { return Variant::date(a[0].toDate()); }

Variant fnVarType(Context &, CallArgs &a) { return Variant(int16_t(varType(a[0]))); }
Variant fnTypeName(Context &, CallArgs &a) { return Variant(typeName(a[0])); }
// The type tests look through an object to its default value, so that
// IsNull(rs("Campo")) tests the field's value, as site pages expect. An object
// without a default member is tested as it is.
Variant valueBehind(const Variant &v)
{
    const Variant &d = v.deref();
    if (!d.isObject() || !d.objectValue())
        return d;
    try {
        return defaultValue(d);
    } catch (const ScriptError &) {
        return d;
    }
}

Variant fnIsEmpty(Context &, CallArgs &a) { return Variant(valueBehind(a[0]).isEmpty()); }
Variant fnIsNull(Context &, CallArgs &a) { return Variant(valueBehind(a[0]).isNull()); }
Variant fnIsObject(Context &, CallArgs &a) { return Variant(a[0].isObject()); }
Variant fnIsArray(Context &, CallArgs &a) { return Variant(a[0].isArray()); }
Variant fnIsNumeric(Context &, CallArgs &a) { return Variant(valueBehind(a[0]).isNumeric()); }

Variant fnErr(Context &ctx, CallArgs &) { return ctx.errObject(); }
Variant fnCreateObject(Context &ctx, CallArgs &a) { return ctx.createObject(a[0].toString()); }
Variant fnGetRef(Context &ctx, CallArgs &a) { return ctx.getRef(a[0].toString()); }
Variant fnEval(Context &ctx, CallArgs &a) { return ctx.eval(a[0].toString()); }

Variant fnScriptEngine(Context &, CallArgs &) { return Variant(QStringLiteral("VBScript")); }
Variant fnMajor(Context &, CallArgs &) { return Variant(int32_t(5)); }
Variant fnMinor(Context &, CallArgs &) { return Variant(int32_t(8)); }
Variant fnBuild(Context &, CallArgs &) { return Variant(int32_t(16384)); }

Variant fnMsgBox(Context &, CallArgs &)
{
    raise(ErrPermissionDenied, QStringLiteral("MsgBox non è disponibile su un server"));
}

Variant fnInputBox(Context &, CallArgs &)
{
    raise(ErrPermissionDenied, QStringLiteral("InputBox non è disponibile su un server"));
}

} // namespace

void registerCoreFunctions(FunctionRegistry &r)
{
    r.add(QStringLiteral("CStr"), fnCStr, 1, 1);
    r.add(QStringLiteral("CInt"), fnCInt, 1, 1);
    r.add(QStringLiteral("CLng"), fnCLng, 1, 1);
    r.add(QStringLiteral("CDbl"), fnCDbl, 1, 1);
    r.add(QStringLiteral("CSng"), fnCSng, 1, 1);
    r.add(QStringLiteral("CByte"), fnCByte, 1, 1);
    r.add(QStringLiteral("CCur"), fnCCur, 1, 1);
    r.add(QStringLiteral("CBool"), fnCBool, 1, 1);
    r.add(QStringLiteral("CDate"), fnCDate, 1, 1);
    r.add(QStringLiteral("VarType"), fnVarType, 1, 1);
    r.add(QStringLiteral("TypeName"), fnTypeName, 1, 1);
    r.add(QStringLiteral("IsEmpty"), fnIsEmpty, 1, 1);
    r.add(QStringLiteral("IsNull"), fnIsNull, 1, 1);
    r.add(QStringLiteral("IsObject"), fnIsObject, 1, 1);
    r.add(QStringLiteral("IsArray"), fnIsArray, 1, 1);
    r.add(QStringLiteral("IsNumeric"), fnIsNumeric, 1, 1);
    r.add(QStringLiteral("Err"), fnErr, 0, 0);
    r.add(QStringLiteral("CreateObject"), fnCreateObject, 1, 2);
    r.add(QStringLiteral("GetRef"), fnGetRef, 1, 1);
    r.add(QStringLiteral("Eval"), fnEval, 1, 1);
    r.add(QStringLiteral("ScriptEngine"), fnScriptEngine, 0, 0);
    r.add(QStringLiteral("ScriptEngineMajorVersion"), fnMajor, 0, 0);
    r.add(QStringLiteral("ScriptEngineMinorVersion"), fnMinor, 0, 0);
    r.add(QStringLiteral("ScriptEngineBuildVersion"), fnBuild, 0, 0);
    r.add(QStringLiteral("MsgBox"), fnMsgBox, 0, -1);
    r.add(QStringLiteral("InputBox"), fnInputBox, 0, -1);
}

} // namespace vbs

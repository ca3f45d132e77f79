#pragma once

#include "Dispatch.h"
#include "Variant.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

namespace vbs {

// What built-in functions and components can ask of the running engine.
class Context {
public:
    virtual ~Context() = default;

    // CreateObject(progId): a component of the engine or of the standard
    // registry; raises 429 when none has that ProgID.
    virtual Variant createObject(const QString &progId) = 0;
    // Folders the FileSystemObject may touch (empty list: no restriction).
    virtual QStringList fileRoots() const = 0;
    // Rnd state: the 24-bit seed of the generator and the last number drawn.
    virtual uint32_t &rndSeed() = 0;
    virtual float &rndLast() = 0;
    // Locale id of the running script (GetLocale); setLocale returns false
    // for an unknown id (the caller raises 5).
    virtual int locale() const = 0;
    virtual bool setLocale(int lcid) = 0;
    // Raises 14 (Out of string space) when a string of this length would
    // pass the engine's limit; 7 for arrays of more than the element limit.
    virtual void checkStringLength(qint64 length) const = 0;
    virtual void checkArraySize(qint64 elements) const = 0;
    // Eval(expression) in the caller's scope, and a GetRef object.
    virtual Variant eval(const QString &expression) = 0;
    virtual Variant getRef(const QString &procedureName) = 0;
    // The Err object of the run.
    virtual Variant errObject() = 0;
};

// Charges work in proportion to units (characters or items produced) to
// the script running on this thread, which then checks its time limit every
// so often: built-ins and components call it inside loops that can run long
// within one call (Replace over megabytes, Join of a big array). It raises
// the time-limit error when the run is past its limit; outside a run it
// does nothing.
void chargeWork(qint64 units);

// Batches chargeWork() for tight loops (one call per 64 K units).
class WorkMeter {
public:
    void add(qint64 units)
    {
        m_units += units;
        if (m_units >= (1 << 16)) {
            chargeWork(m_units);
            m_units = 0;
        }
    }

private:
    qint64 m_units = 0;
};

// A built-in function: gets the engine and the arguments (already counted
// against minArgs/maxArgs), returns the value (Empty for procedures).
using BuiltinFunction = Variant (*)(Context &ctx, CallArgs &args);

struct BuiltinInfo {
    QString name;
    BuiltinFunction fn = nullptr;
    int minArgs = 0;
    int maxArgs = 0; // -1: any number
};

// Name -> built-in function and name -> constant (vbCrLf ...), without
// regard to case. The standard registry is filled once, on first use, with
// the core functions of the engine (conversions and type checks: CStr,
// CInt, CLng, CDbl, CSng, CByte, CCur, CBool, CDate, VarType, TypeName,
// IsEmpty, IsNull, IsObject, IsArray, IsNumeric, CreateObject, GetRef, Eval,
// MsgBox/InputBox, ScriptEngine*) and then with the library of src/script/lib.
//
// Hooks for the library and components folders: src/script/lib/Library.h
// declares `void registerLibraryFunctions(vbs::FunctionRegistry &)` and
// src/script/components/Components.h declares
// `void registerRuntimeComponents(vbs::ComponentRegistry &)`; when those
// headers exist the standard registries call them (static registration
// objects would be dropped by the static-library linker, so there are none).
// A library function registered under a core name replaces the core one.
class FunctionRegistry {
public:
    void add(const QString &name, BuiltinFunction fn, int minArgs, int maxArgs);
    void addConstant(const QString &name, const Variant &value);
    const BuiltinInfo *find(const QString &name) const;
    const Variant *findConstant(const QString &name) const;
    QStringList names() const;

    static const FunctionRegistry &standard();

private:
    QHash<QString, BuiltinInfo> m_functions; // lower-case keys
    QHash<QString, Variant> m_constants;
};

// ProgID -> factory, without regard to case.
using ComponentFactory = std::function<Ref<Dispatch>(Context &ctx)>;

class ComponentRegistry {
public:
    void add(const QString &progId, ComponentFactory factory);
    const ComponentFactory *find(const QString &progId) const;
    QStringList progIds() const;

    static const ComponentRegistry &standard();

private:
    QHash<QString, ComponentFactory> m_factories; // lower-case keys
};

} // namespace vbs

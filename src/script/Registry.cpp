#include "Registry.h"

#include "CoreFunctions.h"

#if __has_include("lib/Library.h")
#include "lib/Library.h"
#define ZF_SCRIPT_HAVE_LIBRARY 1
#endif
#if __has_include("components/Components.h")
#include "components/Components.h"
#define ZF_SCRIPT_HAVE_COMPONENTS 1
#endif

namespace vbs {

void FunctionRegistry::add(const QString &name, BuiltinFunction fn, int minArgs, int maxArgs)
{
    m_functions.insert(name.toLower(), BuiltinInfo{name, fn, minArgs, maxArgs});
}

void FunctionRegistry::addConstant(const QString &name, const Variant &value)
{
    m_constants.insert(name.toLower(), value);
}

const BuiltinInfo *FunctionRegistry::find(const QString &name) const
{
    const auto it = m_functions.constFind(name.toLower());
    return it == m_functions.constEnd() ? nullptr : &*it;
}

const Variant *FunctionRegistry::findConstant(const QString &name) const
{
    const auto it = m_constants.constFind(name.toLower());
    return it == m_constants.constEnd() ? nullptr : &*it;
}

QStringList FunctionRegistry::names() const
{
    QStringList out;
    for (const BuiltinInfo &b : m_functions)
        out.append(b.name);
    return out;
}

const FunctionRegistry &FunctionRegistry::standard()
{
    static const FunctionRegistry registry = [] {
        FunctionRegistry r;
        registerCoreFunctions(r);
#ifdef ZF_SCRIPT_HAVE_LIBRARY
        registerLibraryFunctions(r);
#endif
        return r;
    }();
    return registry;
}

void ComponentRegistry::add(const QString &progId, ComponentFactory factory)
{
    m_factories.insert(progId.toLower(), std::move(factory));
}

const ComponentFactory *ComponentRegistry::find(const QString &progId) const
{
    const auto it = m_factories.constFind(progId.trimmed().toLower());
    return it == m_factories.constEnd() ? nullptr : &*it;
}

QStringList ComponentRegistry::progIds() const
{
    return m_factories.keys();
}

const ComponentRegistry &ComponentRegistry::standard()
{
    static const ComponentRegistry registry = [] {
        ComponentRegistry r;
#ifdef ZF_SCRIPT_HAVE_COMPONENTS
        registerRuntimeComponents(r);
#endif
        return r;
    }();
    return registry;
}

} // namespace vbs

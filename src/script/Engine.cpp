#include "Engine.h"

#include "Interpreter.h"

namespace vbs {

Engine::Engine() : m_interp(std::make_unique<Interpreter>()) {}

Engine::~Engine() = default;

void Engine::setLimits(const EngineLimits &limits)
{
    m_interp->limits = limits;
}

void Engine::setTimeLimit(int ms)
{
    m_interp->setTimeLimit(ms);
}

const EngineLimits &Engine::limits() const
{
    return m_interp->limits;
}

void Engine::addNamedItem(const QString &name, const Ref<Dispatch> &object)
{
    m_interp->addNamedItem(name, object);
}

void Engine::addComponent(const QString &progId, ComponentFactory factory)
{
    m_interp->components.insert(progId.trimmed().toLower(), std::move(factory));
}

void Engine::setFileRoots(const QStringList &folders)
{
    m_interp->roots = folders;
}

void Engine::setLocale(int lcid)
{
    m_interp->scriptLocale = ScriptLocale::forLcid(lcid);
}

bool Engine::run(const QString &script)
{
    return m_interp->run(script);
}

Variant Engine::evaluate(const QString &expression, bool *ok)
{
    return m_interp->evaluate(expression, ok);
}

bool Engine::callProcedure(const QString &name, const QList<Variant> &args, Variant *result)
{
    return m_interp->callGlobal(name, args, result);
}

const QList<ScriptError> &Engine::errors() const
{
    return m_interp->errors;
}

void Engine::setSourceName(const QString &name)
{
    m_sourceName = name;
}

void Engine::setLineMapper(LineMapper mapper)
{
    m_mapper = std::move(mapper);
}

SourceLocation Engine::mapLine(int scriptLine) const
{
    if (m_mapper)
        return m_mapper(scriptLine);
    return SourceLocation{m_sourceName, scriptLine};
}

QString Engine::formatError(const ScriptError &e) const
{
    QString text = QStringLiteral("%1 '%2': %3").arg(e.sourceText(), e.hexCode(), e.text());
    if (e.line > 0) {
        const SourceLocation loc = mapLine(e.line);
        if (loc.file.isEmpty())
            text += QStringLiteral(" (riga %1)").arg(loc.line);
        else
            text += QStringLiteral(" (%1, riga %2)").arg(loc.file).arg(loc.line);
    }
    return text;
}

QStringList Engine::errorMessages() const
{
    QStringList out;
    for (const ScriptError &e : m_interp->errors)
        out.append(formatError(e));
    return out;
}

int Engine::exitCode() const
{
    return m_interp->exitCode;
}

void Engine::reset()
{
    m_interp->reset();
}

} // namespace vbs

#pragma once

#include "Dispatch.h"
#include "Registry.h"
#include "ScriptError.h"
#include "Variant.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace vbs {

class Interpreter;

// Limits of one engine; every one ends the script with an error when passed.
struct EngineLimits {
    int timeLimitMs = 90000;             // whole run; error "tempo scaduto" (ErrTimeout)
    int maxCallDepth = 800;              // nested procedure calls; error 28
    qint64 maxStringLength = 64 << 20;   // characters of one string; error 14
    qint64 maxArrayElements = 16 << 20;  // elements of one array; error 7
    // Machine stack a run may use below its entry point (nested calls,
    // Execute, Eval); error 28. Keep it well under the thread's stack size.
#ifdef _WIN32
    qint64 maxStackBytes = 640 << 10;    // 1 MB main-thread stacks
#else
    qint64 maxStackBytes = 4 << 20;      // 8 MB stacks
#endif
};

// Where a line of the script text comes from (the page or an include file).
struct SourceLocation {
    QString file;
    int line = 0;
};
using LineMapper = std::function<SourceLocation(int scriptLine)>;

// The embedding API. One engine runs scripts one after another in one global
// scope (a second run() sees the procedures and variables of the first, as
// ExecuteGlobal does). Named items are host objects reachable by name.
//
//   vbs::Engine e;
//   e.addNamedItem("Response", response);
//   e.setSourceName("pagina.asp");
//   if (!e.run(script)) for (auto &m : e.errorMessages()) ...
class Engine {
public:
    Engine();
    ~Engine();
    Engine(const Engine &) = delete;
    Engine &operator=(const Engine &) = delete;

    void setLimits(const EngineLimits &limits);
    const EngineLimits &limits() const;
    // Sets the time limit; during a run it applies to that run, counted from
    // its start (Server.ScriptTimeout).
    void setTimeLimit(int ms);

    // A host object reachable by name from the script (before run()).
    void addNamedItem(const QString &name, const Ref<Dispatch> &object);
    // A component for CreateObject only in this engine (e.g. ADODB.Connection);
    // it takes precedence over the standard registry.
    void addComponent(const QString &progId, ComponentFactory factory);
    // Folders the FileSystemObject may use (empty: anywhere).
    void setFileRoots(const QStringList &folders);
    // Locale of the scripts (SetLocale can change it during a run); default 1033.
    void setLocale(int lcid);

    // Name of the script in error messages, and the mapping of script lines
    // to source files and lines (includes). Without a mapper, the line is the
    // script line and the file the source name.
    void setSourceName(const QString &name);
    void setLineMapper(LineMapper mapper);

    // Compiles and runs a script to its end. Returns false when a compile or
    // run-time error ended it (the error is in errors()). A ScriptStop from a
    // host object (Response.End, WScript.Quit) ends it successfully.
    bool run(const QString &script);
    // Evaluates an expression in the global scope (raises nothing: returns
    // Empty and records the error on failure).
    Variant evaluate(const QString &expression, bool *ok = nullptr);
    // Calls a global Sub or Function by name with arguments (by value).
    bool callProcedure(const QString &name, const QList<Variant> &args = {},
                       Variant *result = nullptr);

    // The errors of every run so far, in order, and their texts as a page
    // shows them (GetErrorMessages), e.g.
    // "Errore di run-time di VBScript '800a000d': Tipo non corrispondente (pagina.asp, riga 12)".
    const QList<ScriptError> &errors() const;
    QStringList errorMessages() const;
    // The text of one error with its mapped location.
    QString formatError(const ScriptError &error) const;
    SourceLocation mapLine(int scriptLine) const;

    // Exit code given to ScriptStop (WScript.Quit n); 0 otherwise.
    int exitCode() const;

    // Drops every global, procedure and object of the engine, breaking
    // reference cycles between script objects (also done by the destructor).
    void reset();

private:
    std::unique_ptr<Interpreter> m_interp;
    QString m_sourceName;
    LineMapper m_mapper;
};

} // namespace vbs

#pragma once

#include <QString>

#include <exception>

namespace vbs {

// Error numbers raised by the engine itself. Descriptions come from
// ScriptError::describe(); numbers are those of the language reference.
enum ErrorNumber : int {
    ErrInvalidCall = 5,
    ErrOverflow = 6,
    ErrOutOfMemory = 7,
    ErrSubscript = 9,
    ErrArrayLocked = 10,
    ErrDivisionByZero = 11,
    ErrTypeMismatch = 13,
    ErrOutOfStringSpace = 14,
    ErrOutOfStack = 28,
    ErrSubNotDefined = 35,
    ErrFileNotFound = 53,
    ErrFileExists = 58,
    ErrPermissionDenied = 70,
    ErrPathNotFound = 76,
    ErrObjectNotSet = 91,
    ErrInvalidNull = 94,
    ErrObjectRequired = 424,
    ErrCannotCreateObject = 429,
    ErrNoSuchMember = 438,
    ErrArgNotOptional = 449,
    ErrWrongArgCount = 450,
    ErrNotCollection = 451,
    ErrKeyExists = 457,
    ErrUndefinedVariable = 500,
    ErrIllegalAssignment = 501,
    ErrUnqualifiedReference = 505,
    ErrClassNotDefined = 506,
    ErrTimeout = 0x1000,          // engine specific: script ran past its time limit
    ErrElementNotFound = 32811,
    // compile errors
    ErrSyntax = 1002,
    ErrExpectedLParen = 1005,
    ErrExpectedRParen = 1006,
    ErrExpectedIdentifier = 1010,
    ErrExpectedEquals = 1011,
    ErrExpectedIf = 1012,
    ErrExpectedTo = 1013,
    ErrExpectedEnd = 1014,
    ErrExpectedFunction = 1015,
    ErrExpectedSub = 1016,
    ErrExpectedThen = 1017,
    ErrExpectedWend = 1018,
    ErrExpectedLoop = 1019,
    ErrExpectedNext = 1020,
    ErrExpectedCase = 1021,
    ErrExpectedSelect = 1022,
    ErrExpectedExpression = 1023,
    ErrExpectedStatement = 1024,
    ErrExpectedEndOfStatement = 1025,
    ErrExpectedInteger = 1026,
    ErrExpectedWhileUntil = 1027,
    ErrExpectedWith = 1029,
    ErrInvalidNumber = 1031,
    ErrInvalidCharacter = 1032,
    ErrUnterminatedString = 1033,
    ErrInvalidMe = 1037,
    ErrLoopWithoutDo = 1038,
    ErrInvalidExit = 1039,
    ErrInvalidForVariable = 1040,
    ErrNameRedefined = 1041,
    ErrParensOnSubCall = 1044,
    ErrExpectedLiteral = 1045,
    ErrExpectedIn = 1046,
    ErrExpectedClass = 1047,
    ErrMustBeInClass = 1048,
    ErrExpectedLetSetGet = 1049,
    ErrExpectedProperty = 1050,
    ErrMultipleDefaults = 1052,
    ErrInitTerminateArgs = 1053,
    ErrPropertyNeedsArg = 1054,
    ErrUnexpectedNext = 1055,
    ErrDefaultNeedsProc = 1057,
    ErrDefaultOnlyGet = 1058,
};

// A compile or run-time error of a script. Thrown as a C++ exception by the
// engine, by built-in functions and by host objects; the engine catches it,
// fills in the line, and either hands it to On Error Resume Next (the Err
// object) or ends the run and records it.
class ScriptError : public std::exception {
public:
    ScriptError() = default;
    explicit ScriptError(int number, QString description = {}, QString source = {});

    int number = 0;          // e.g. 13; user errors may be any Long (vbObjectError + n)
    QString description;     // Italian text; empty means the standard text for number
    QString source;          // Err.Source; empty means the engine's run-time/compile source
    QString helpFile;        // Err.HelpFile given to Err.Raise
    int helpContext = 0;     // Err.HelpContext given to Err.Raise
    int line = 0;            // 1-based line of the script text; 0 when not known yet
    int column = 0;          // 1-based column when known (compile errors), else 0
    bool compile = false;    // a compile (syntax) error rather than a run-time one

    // The description, or the standard text for the number when empty.
    QString text() const;
    // "Errore di run-time di VBScript" / "Errore di compilazione di VBScript".
    QString sourceText() const;
    // "800a000d": the number as servers show it (800A0000 + number for
    // numbers below 65536, the number itself in hexadecimal otherwise).
    QString hexCode() const;

    const char *what() const noexcept override;

    // Italian description of a standard error number ("" when unknown).
    static QString describe(int number);

private:
    mutable QByteArray m_what;
};

// Throws ScriptError(number) with the standard description.
[[noreturn]] void raise(int number);
[[noreturn]] void raise(int number, const QString &description);

// Thrown by host objects to end the script quietly (Response.End,
// WScript.Quit). It is not an error: the run counts as successful.
struct ScriptStop {
    int exitCode = 0;
};

} // namespace vbs

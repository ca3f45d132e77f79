#pragma once

#include <QString>
#include <QStringList>

class UiPort;

// The checks of the folder chooser ("Selezione directory") on a typed path:
// the path must be absolute and well formed, and a missing folder is created
// level by level from the root down once the user agrees.
//
// A path is well formed when it is absolute (on Windows a drive letter, a
// colon and a backslash; elsewhere a leading "/") and each component after
// the root is valid: not empty, not beginning or ending with a tab, a blank
// or ".", and holding none of  " * / : < > ? \ |. An empty component (two
// separators in a row, or a trailing separator) makes the path invalid.
class FolderPathCheck {
public:
    static inline const QString Title = QStringLiteral("Selezione directory");
    static inline const QString OpenPrompt = QStringLiteral("Scegli la directory relativa al progetto...");
    static inline const QString NewPrompt = QStringLiteral("Scegli la directory per il nuovo progetto");
#ifdef Q_OS_WIN
    static constexpr int MaxTypedLength = 259;
#else
    static constexpr int MaxTypedLength = 4095;
#endif

    enum class State { Invalid, Missing, Exists };

    static bool isValidComponent(const QString &component);
    static bool isWellFormed(const QString &path);
    // Splits a well-formed path into its root and the components after it
    // (none for a bare root); returns false when the path is not well formed.
    static bool split(const QString &path, QString *root, QStringList *components);
    static State state(const QString &path);

    // The texts the chooser shows, with the path filled in.
    static QString invalidText(const QString &path);
    static QString createQuestion(const QString &path);
    static QString cannotCreateText(const QString &path);

    // Creates every missing level from the root down. Fails when the root is
    // missing, when a level cannot be made, or when it is not a folder
    // afterwards (a file of that name, for instance).
    static bool createMissingLevels(const QString &path);

    // The whole OK rule through the UI port: returns true when the chooser
    // may close with this path; otherwise the user has been told why (or
    // declined the creation) and the chooser stays open.
    static bool accept(const QString &path, UiPort &ui);
};

#pragma once

#include <QString>

// The rules of the "Nuovo progetto" dialog: the name of a new project and
// the creation of its folder.
class ProjectNameRule {
public:
    static constexpr int MaxNameLength = 15;
    static constexpr int MaxDirectoryLength = 256;
    static inline const QString AllowedCharacters =
        QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789-_.");

    static inline const QString DialogTitle = QStringLiteral("Nuovo progetto");
    static inline const QString CreateFailedTitle = QStringLiteral("Creazione directory");
    static inline const QString CreateFailedText = QStringLiteral("Impossibile creare la directory!");

    static bool isAllowedCharacter(QChar c);
    // Whether the name field may hold this text (possibly empty): allowed
    // characters only and at most MaxNameLength of them.
    static bool isAcceptable(const QString &text);
    // A name that may be used: acceptable and not empty.
    static bool isValid(const QString &name);
    // The "Directory" field for a base folder and a name.
    static QString directoryFor(const QString &baseFolder, const QString &name);
    // Creates the project folder: one level, the parent must exist, and a
    // folder that exists already is a failure. On failure the dialog shows
    // CreateFailedText with CreateFailedTitle and a stop icon.
    static bool createProjectDirectory(const QString &path);
};

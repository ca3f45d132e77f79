#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

// The list of recently used projects, kept in the user's settings
// (organisation "Brellix", application "Zanfira50", group "LRUProjects")
// as the values "Project1".."Project4". The values are dense from 1 up and a
// higher number is more recent. Paths are compared as exact text.
class RecentProjects {
public:
    static constexpr int MaxProjects = 4;
    static inline const QString Organisation = QStringLiteral("Brellix");
    static inline const QString Application = QStringLiteral("Zanfira50");
    static inline const QString Group = QStringLiteral("LRUProjects");

    // Uses the user's settings of the program.
    RecentProjects();
    // Uses the given settings file (INI format); for tools and tests.
    explicit RecentProjects(const QString &iniFile);
    ~RecentProjects();
    RecentProjects(const RecentProjects &) = delete;
    RecentProjects &operator=(const RecentProjects &) = delete;

    // Puts path at the newest place: a path already listed moves to the
    // newest place, a fifth path drops the oldest.
    void add(const QString &path);
    // Removes path; the later values move one number down.
    void remove(const QString &path);
    // The highest-numbered value present (4 down to 1), or an empty string.
    QString newest() const;
    // The projects present, newest first (value 4 down to 1).
    QStringList newestFirst() const;
    // The dense values 1.. in order (oldest first), stopping at the first gap.
    QStringList values() const;

    static QString valueName(int number);

    // Records the program folder in the same settings ("CartellaInstallazione").
    void rememberProgramFolder(const QString &path);

private:
    std::unique_ptr<QSettings> m_settings;
};

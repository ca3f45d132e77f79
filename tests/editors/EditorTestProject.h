#pragma once

#include "editors/common/EditorHost.h"

#include "data/Database.h"
#include "common/TempDir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>

// A project folder holding a copy of the program folder's blank database,
// opened, with an editor host whose languages the test sets.
class EditorTestProject : public EditorHost {
public:
    EditorTestProject()
    {
        const QString blank = QStringLiteral(ZANFIRA_PROGRAM_FOLDER "/db/database.mdb");
        QDir(m_dir.path()).mkpath(QStringLiteral("db"));
        QDir(m_dir.path()).mkpath(QStringLiteral("website/images"));
        const QString target = m_dir.file(QStringLiteral("db/database.mdb"));
        if (!QFile::copy(blank, target))
            ADD_FAILURE() << "no blank database at " << blank.toStdString();
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
        m_db = std::make_unique<Database>(target);
    }

    QString current = QStringLiteral("it");
    QString defaultCode = QStringLiteral("it");
    int reloads = 0;
    bool reloadResult = true;

    QString currentLanguageCode() const override { return current; }
    QString defaultLanguageCode() const override { return defaultCode; }
    void selectDefaultLanguage() override { current = defaultCode; }
    Database &database() override { return *m_db; }
    Database &db() { return *m_db; }
    QString projectFolder() const override { return m_dir.path() + QLatin1Char('/'); }
    bool reloadLanguages() override
    {
        ++reloads;
        return !m_db->scalar(QStringLiteral("SELECT ID FROM Lingue WHERE Attivo=TRUE")).isNull();
    }
    QString file(const QString &relative) const { return m_dir.file(relative); }

    int count(const QString &sql) { return m_db->scalar(sql).toInt(); }

private:
    TempDir m_dir;
    std::unique_ptr<Database> m_db;
};

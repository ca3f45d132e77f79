#pragma once

#include "common/TempDir.h"
#include "data/Database.h"
#include "records/LanguageContext.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>

// A project folder holding a copy of the program folder's blank database,
// opened.
class ProjectDatabase {
public:
    ProjectDatabase()
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

    Database &db() { return *m_db; }
    // The project folder, with a trailing separator.
    QString folderPath() const { return m_dir.path() + QLatin1Char('/'); }
    QString file(const QString &relative) const { return m_dir.file(relative); }
    int count(const QString &sql) { return m_db->scalar(sql).toInt(); }

private:
    TempDir m_dir;
    std::unique_ptr<Database> m_db;
};

// The project database with languages the test sets, for the record logic
// that takes a LanguageContext.
class LanguageTestProject : public ProjectDatabase, public LanguageContext {
public:
    QString current = QStringLiteral("it");
    QString defaultCode = QStringLiteral("it");

    QString currentLanguageCode() const override { return current; }
    QString defaultLanguageCode() const override { return defaultCode; }
    void selectDefaultLanguage() override { current = defaultCode; }
    QString projectFolder() const { return folderPath(); }
};

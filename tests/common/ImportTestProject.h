#pragma once

#include "TempProject.h"
#include "data/Database.h"

#include <QCryptographicHash>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

// A new project with a small category tree and helpers to write import
// files and look at the database files.
class ImportTestProject : public TempProject {
public:
    ImportTestProject()
    {
        Database db(folder().database());
        db.execute(QStringLiteral("INSERT INTO Categorie (ID, Ordine, IDCategoriaPadre) VALUES (12, 12, 0)"));
        db.execute(QStringLiteral("INSERT INTO Categorie (ID, Ordine, IDCategoriaPadre) VALUES (13, 13, 12)"));
        db.execute(QStringLiteral("INSERT INTO CategorieLingue (ID, IDCategoria, CodiceLingua, Nome) VALUES (1, 12, 'it', 'Fiori')"));
        db.execute(QStringLiteral("INSERT INTO CategorieLingue (ID, IDCategoria, CodiceLingua, Nome) VALUES (2, 13, 'it', 'Rose')"));
    }

    QString writeFile(const QString &name, const QByteArray &bytes) const
    {
        const QString path = tempDir().file(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            ADD_FAILURE() << "cannot write " << path.toStdString();
        return path;
    }

    // The database file's bytes, with no connection open on it.
    QByteArray databaseHash() const
    {
        QFile f(folder().database());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }

    QVariant value(const QString &sql) const
    {
        Database db(folder().database());
        return db.scalar(sql);
    }
    int count(const QString &sql) const { return value(sql).toInt(); }
    bool tempLeft() const { return !folder().tempDatabaseFiles().isEmpty(); }
};

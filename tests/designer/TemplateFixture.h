#pragma once

#include "common/TempDir.h"
#include "designer/AspGenerator.h"
#include "designer/OutputWriter.h"
#include "designer/StylesheetGenerator.h"
#include "designer/TemplateModel.h"

#include <QDir>
#include <QFile>

// A project and a program folder in a temporary folder, with a template
// built row by row in memory.
struct TemplateFixture {
    TempDir dir;
    TemplateModel model;
    OutputWriter writer;

    TemplateFixture()
    {
        QDir(dir.path()).mkpath(QStringLiteral("project/website/asp"));
        QDir(dir.path()).mkpath(QStringLiteral("project/website/images"));
        QDir(dir.path()).mkpath(QStringLiteral("program/template/pagine"));
        QDir(dir.path()).mkpath(QStringLiteral("program/template/system"));
        model.addCategory({1, QStringLiteral("base.css")});
        model.addCategory({2, QStringLiteral("menu.css")});
    }

    QString project() const { return dir.file(QStringLiteral("project")); }
    QString program() const { return dir.file(QStringLiteral("program")); }
    QString asp(const QString &name) const { return dir.file(QStringLiteral("project/website/asp/") + name); }
    QString css(const QString &name) const { return dir.file(QStringLiteral("project/website/images/") + name); }

    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void put(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }

    TemplateNode &node(int id, int parent, const QString &code, int tipo = 1, int categoria = 1)
    {
        TemplateNode n;
        n.id = id;
        n.idPadre = parent;
        n.idCategoria = categoria;
        n.ordine = id;
        n.attivo = true;
        n.codice = code;
        n.tipo = tipo;
        model.addNode(n);
        return const_cast<TemplateNode &>(*model.node(id));
    }
    // A page node whose page file holds `content`.
    void page(int id, const QString &fileName, const QByteArray &content)
    {
        put(dir.file(QStringLiteral("program/template/pagine/") + fileName), content);
        node(id, 0, QStringLiteral("\\pagine\\") + fileName, 0);
    }
    void attribute(int id, int cls, int number, const QString &value)
    {
        model.addAttribute({id, cls, number, value, false});
    }

    QString generate(int nodeId)
    {
        AspGenerator gen(model, project(), program(), writer);
        return gen.generateNode(nodeId, false);
    }
    void updateAsp(int nodeId)
    {
        AspGenerator gen(model, project(), program(), writer);
        gen.updateAsp(nodeId);
    }
    QString stylesheet(int categoryId)
    {
        StylesheetGenerator gen(model, project(), writer);
        return gen.categoryText(categoryId);
    }
};

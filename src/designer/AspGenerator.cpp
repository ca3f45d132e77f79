#include "designer/AspGenerator.h"

#include "designer/ParameterMarkers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

#include <algorithm>

namespace {

constexpr int BackgroundImage = 26;

enum ParameterKind { OnOff = 3, Choice = 4 };

} // namespace

AspGenerator::AspGenerator(const TemplateModel &model, const QString &projectFolder,
                           const QString &programFolder, OutputWriter &writer)
    : m_model(model), m_projectFolder(projectFolder), m_programFolder(programFolder),
      m_writer(writer)
{
}

QString AspGenerator::includeFileName(int nodeId)
{
    return QStringLiteral("include%1.asp").arg(nodeId);
}

QString AspGenerator::includeDirective(int nodeId)
{
    return QStringLiteral("<!-- #include virtual=\"/include%1.asp\"-->").arg(nodeId);
}

QString AspGenerator::aspFolder() const
{
    return QDir(m_projectFolder).filePath(QStringLiteral("website/asp"));
}

void AspGenerator::updateAsp(int nodeId)
{
    const TemplateNode *page = m_model.node(nodeId);
    // A missing parent ends the climb as the top level does; the step limit
    // ends it in a damaged tree whose parents form a ring.
    for (qsizetype steps = m_model.nodes().size();
         page && page->idPadre != 0 && m_model.node(page->idPadre) && steps > 0; --steps)
        page = m_model.node(page->idPadre);
    if (!page)
        return;
    m_total = countActive(page->id) + 1;
    m_counter = 1;
    m_stylesheets.clear();
    QDir().mkpath(aspFolder());
    generateNode(page->id, true);
}

int AspGenerator::countActive(int nodeId) const
{
    int count = 1;
    QVector<int> pending{nodeId};
    QSet<int> seen{nodeId};
    while (!pending.isEmpty())
        for (const TemplateNode *child : m_model.children(pending.takeLast()))
            if (child->attivo && !seen.contains(child->id)) {
                seen.insert(child->id);
                pending.append(child->id);
                ++count;
            }
    return count;
}

void AspGenerator::addCategoryOf(int nodeId)
{
    const TemplateNode *node = m_model.node(nodeId);
    if (!node)
        return;
    // A category without a row (or without a file) links nothing.
    if (const TemplateCategory *category = m_model.category(node->idCategoria))
        if (!category->fileCss.isEmpty())
            m_stylesheets.insert(category->fileCss);
}

void AspGenerator::collectStylesheets(const TemplateNode &node)
{
    if (node.idCategoria >= 1) {
        addCategoryOf(node.id);
        return;
    }
    // A reference links the stylesheets of the node it includes and of all
    // that node's descendants, active or not. The visited set guards
    // against a reference cycle in a damaged database.
    QVector<int> pending{node.idRiferimento};
    QSet<int> visited;
    while (!pending.isEmpty()) {
        const int id = pending.takeLast();
        if (id == 0 || visited.contains(id))
            continue;
        visited.insert(id);
        addCategoryOf(id);
        for (const TemplateNode *child : m_model.children(id))
            pending.append(child->id);
    }
}

QString AspGenerator::readPageFile(const QString &path, bool &ok) const
{
    QString relative = path;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QFile file(QDir(m_programFolder).filePath(QStringLiteral("template") + relative));
    ok = file.open(QIODevice::ReadOnly | QIODevice::Text);
    if (!ok)
        return path;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    QString text;
    while (!in.atEnd())
        text += in.readLine() + QLatin1Char('\n');
    return text;
}

void AspGenerator::rewriteClassNames(QString &text, int nodeId) const
{
    QVector<const TemplateClass *> classes = m_model.classesOf(nodeId);
    if (nodeId != 1)
        classes += m_model.classesOf(1);
    std::stable_sort(classes.begin(), classes.end(),
                     [](const TemplateClass *a, const TemplateClass *b) { return a->id < b->id; });
    for (const TemplateClass *cls : classes) {
        if (!cls->nomeCss.startsWith(QLatin1Char('.')))
            continue;
        QString name = cls->nomeCss.mid(1);
        while (!name.isEmpty() && name.back().isSpace())
            name.chop(1);
        if (name.isEmpty() || name.contains(QLatin1Char(' ')))
            continue;
        QString replacement = QStringLiteral("class=\"%1%2\"").arg(name).arg(cls->id);
        for (const TemplateAttribute *attr : m_model.attributesOf(cls->id)) {
            if (attr->idAttributo == BackgroundImage && !attr->valoreNull
                && attr->valore.contains(QLatin1String("<%="))) {
                replacement += QStringLiteral(" style=\"background-image:") + attr->valore
                               + QStringLiteral(";\"");
                break;
            }
        }
        text.replace(QStringLiteral("class=\"") + name + QLatin1Char('"'), replacement);
        QString single = replacement;
        single.replace(QLatin1Char('"'), QLatin1Char('\''));
        text.replace(QStringLiteral("class='") + name + QLatin1Char('\''), single);
    }
}

void AspGenerator::applyParameters(QString &text, int nodeId) const
{
    for (const TemplateParameter *p : m_model.parametersOf(nodeId)) {
        if (p->nome.isEmpty())
            continue;
        switch (p->tipo) {
        case OnOff:
            ParameterMarkers::applyOnOff(text, p->nome, p->valore);
            break;
        case Choice:
            ParameterMarkers::applyChoice(text, p->nome, p->valore, p->opzioni);
            break;
        default:
            ParameterMarkers::applyValue(text, p->nome, p->valore);
            break;
        }
    }
}

QString AspGenerator::generateNode(int nodeId, bool write)
{
    if (m_progress)
        m_progress(m_counter, m_total);
    ++m_counter;

    const TemplateNode *node = m_model.node(nodeId);
    // A node that is its own ancestor (a damaged tree) is generated once.
    if (!node || m_generating.contains(nodeId))
        return {};
    m_generating.insert(nodeId);
    collectStylesheets(*node);

    QString text = node->codice;
    m_writer.remove(QDir(aspFolder()).filePath(includeFileName(node->id)));

    QString pageFile;
    if (text.startsWith(QLatin1Char('\\'))) {
        pageFile = text;
        bool ok = false;
        text = readPageFile(pageFile, ok);
    }

    QString childCode;
    for (const TemplateNode *child : m_model.children(node->id)) {
        if (!child->attivo)
            continue;
        const QString code = generateNode(child->id, child->condiviso);
        childCode += (child->condiviso ? includeDirective(child->id) : code) + QLatin1Char('\n');
    }
    text.replace(QLatin1String("##CODICEFIGLIO##"), childCode);

    rewriteClassNames(text, node->id);
    text.replace(QLatin1String("%%SYSID%%"), QString::number(node->id));
    applyParameters(text, node->id);

    if (node->tipo == 0) {
        QStringList files(m_stylesheets.cbegin(), m_stylesheets.cend());
        files.sort();
        QString links;
        for (const QString &file : files)
            links += QStringLiteral("<link rel=\"stylesheet\" href=\"/images/%1\" type=\"text/css\">\n")
                         .arg(file);
        text.replace(QLatin1String("##LINKCSS##"), links);
    }

    if (write) {
        QString fileName;
        if (node->condiviso)
            fileName = includeFileName(node->id);
        else if (!pageFile.isEmpty())
            fileName = pageFile.mid(pageFile.lastIndexOf(QLatin1Char('\\')) + 1);
        if (!fileName.isEmpty())
            m_writer.write(QDir(aspFolder()).filePath(fileName), text + QLatin1Char('\n'));
    }
    m_generating.remove(nodeId);
    return text;
}

void AspGenerator::regenerateProject()
{
    QDir().mkpath(aspFolder());
    const QDir system(QDir(m_programFolder).filePath(QStringLiteral("template/system")));
    for (const QFileInfo &info : system.entryInfoList(QDir::Files, QDir::Name)) {
        if (info.fileName().compare(QLatin1String("default.asp"), Qt::CaseInsensitive) == 0)
            continue;
        m_writer.copy(info.filePath(), QDir(aspFolder()).filePath(info.fileName()));
    }
    // Each page is rebuilt once; a page without children is not rebuilt.
    for (const TemplateNode *page : m_model.children(0))
        if (!m_model.children(page->id).isEmpty())
            updateAsp(page->id);
}

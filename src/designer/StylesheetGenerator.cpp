#include "designer/StylesheetGenerator.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace {

constexpr int BackgroundImage = 26;

const char *const PropertyNames[35] = {
    "width", "height", "text-align", "vertical-align", "background-color", "color",
    "margin-top", "margin-right", "margin-bottom", "margin-left",
    "border-top", "", "", "border-right", "", "", "border-bottom", "", "",
    "border-left", "", "",
    "padding-top", "padding-right", "padding-bottom", "padding-left",
    "background-image", "background-position", "background-repeat",
    "font-family", "font-style", "font-weight", "font-size", "float", "text-decoration"};

bool isBorderWidth(int n) { return n == 10 || n == 13 || n == 16 || n == 19; }

bool isBorderPart(int n)
{
    return n >= 11 && n <= 21 && !isBorderWidth(n);
}

bool isLength(int n)
{
    static const int lengths[] = {0, 1, 6, 7, 8, 9, 22, 23, 24, 25, 27, 32};
    return std::find(std::begin(lengths), std::end(lengths), n) != std::end(lengths);
}

QString propertyLine(const QString &name, const QString &value)
{
    return QStringLiteral("\t%1: %2;\n").arg(name, value);
}

} // namespace

StylesheetGenerator::StylesheetGenerator(const TemplateModel &model, const QString &projectFolder,
                                         OutputWriter &writer)
    : m_model(model), m_projectFolder(projectFolder), m_writer(writer)
{
}

QString StylesheetGenerator::propertyName(int number)
{
    if (number < 0 || number > 34)
        return {};
    return QString::fromLatin1(PropertyNames[number]);
}

QString StylesheetGenerator::withUnit(const QString &value)
{
    static const QRegularExpression bareNumber(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    QStringList parts = value.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString &part : parts)
        if (bareNumber.match(part).hasMatch())
            part += QLatin1String("px");
    return parts.join(QLatin1Char(' '));
}

QString StylesheetGenerator::borderLine(int classId, int widthNumber) const
{
    // The first row of each number counts; a missing or null row is empty.
    QString values[3];
    bool found[3] = {false, false, false};
    for (const TemplateAttribute *attr : m_model.attributesOf(classId)) {
        const int part = attr->idAttributo - widthNumber;
        if (part < 0 || part > 2 || found[part])
            continue;
        found[part] = true;
        if (!attr->valoreNull)
            values[part] = attr->valore.trimmed();
    }
    if (values[0].isEmpty() && values[1].isEmpty() && values[2].isEmpty())
        return {};
    const QString name = propertyName(widthNumber);
    if (values[1] == QLatin1String("none"))
        return propertyLine(name, QStringLiteral("none"));
    QStringList parts;
    for (const QString &v : {withUnit(values[0]), values[1], values[2]})
        if (!v.isEmpty())
            parts.append(v);
    return propertyLine(name, parts.join(QLatin1Char(' ')));
}

QString StylesheetGenerator::ruleBody(int classId) const
{
    QString body;
    for (const TemplateAttribute *attr : m_model.attributesOf(classId)) {
        const int n = attr->idAttributo;
        // Style and colour rows of a border are read by its width row.
        if (attr->valoreNull || isBorderPart(n) || propertyName(n).isEmpty())
            continue;
        // A per-language image needs the ASP engine: the page writes it inline.
        if (n == BackgroundImage && attr->valore.contains(QLatin1String("<%=")))
            continue;
        if (isBorderWidth(n)) {
            body += borderLine(classId, n);
            continue;
        }
        const QString value = isLength(n) ? withUnit(attr->valore) : attr->valore.trimmed();
        // An empty value would make an invalid declaration.
        if (value.isEmpty())
            continue;
        body += propertyLine(propertyName(n), value);
    }
    return body;
}

QString StylesheetGenerator::categoryText(int categoryId) const
{
    QString text;
    for (const TemplateNode &node : m_model.nodes()) {
        if (node.idCategoria != categoryId || !node.attivo)
            continue;
        QVector<const TemplateClass *> classes = m_model.classesOf(node.id);
        std::stable_sort(classes.begin(), classes.end(),
                         [](const TemplateClass *a, const TemplateClass *b) {
                             return a->ordine < b->ordine;
                         });
        QHash<QString, QString> simpleIds;
        for (const TemplateClass *cls : classes) {
            QString selector = cls->nomeCss;
            if (selector.startsWith(QLatin1Char('.'))) {
                const qsizetype blank = selector.indexOf(QLatin1Char(' '));
                if (blank < 0) {
                    simpleIds.insert(selector, QString::number(cls->id));
                    selector += QString::number(cls->id);
                } else {
                    const QString simple = selector.left(blank);
                    const auto it = simpleIds.constFind(simple);
                    if (it != simpleIds.cend())
                        selector = simple + *it + selector.mid(blank);
                }
            }
            const QString body = ruleBody(cls->id);
            if (!body.isEmpty())
                text += selector + QStringLiteral("\n{\n") + body + QStringLiteral("}\n\n");
        }
    }
    return text;
}

void StylesheetGenerator::updateCategory(int categoryId)
{
    const TemplateCategory *category = m_model.category(categoryId);
    if (!category || category->fileCss.isEmpty())
        return;
    const QString folder = QDir(m_projectFolder).filePath(QStringLiteral("website/images"));
    QDir().mkpath(folder);
    m_writer.write(QDir(folder).filePath(category->fileCss), categoryText(categoryId));
}

void StylesheetGenerator::updateStylesheet(int nodeId)
{
    const TemplateNode *node = m_model.node(nodeId);
    if (!node || node->idCategoria == 0)
        return;
    updateCategory(node->idCategoria);
}

void StylesheetGenerator::updateAll()
{
    for (const TemplateCategory &category : m_model.categories())
        updateCategory(category.id);
}

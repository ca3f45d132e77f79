#pragma once

#include <QHash>
#include <QString>
#include <QVector>

class Database;

// One row of CodiceASP: a node of the block tree.
struct TemplateNode {
    int id = 0;
    int idCategoria = 0;
    int idPadre = 0;
    QString nome;
    int ordine = 0;
    bool attivo = false;
    QString codice;
    bool condiviso = false;
    int tipo = 0;
    int idRiferimento = 0;
};

// One row of ClassiCSS.
struct TemplateClass {
    int id = 0;
    int idCodiceAsp = 0;
    int ordine = 0;
    QString nomeCss;
};

// One row of AttributiCSS; a null Valore means the property is not set.
struct TemplateAttribute {
    int id = 0;
    int idClasse = 0;
    int idAttributo = 0;
    QString valore;
    bool valoreNull = true;
};

// One row of Parametri.
struct TemplateParameter {
    int id = 0;
    int idCodiceAsp = 0;
    int ordine = 0;
    int tipo = 0;
    QString nome;
    QString valore;
    QString opzioni;
};

// One row of CategorieCodiciASP.
struct TemplateCategory {
    int id = 0;
    QString fileCss;
};

// The template database read once, whole: the generators look rows up here
// instead of querying per node. Each table is read with one query through
// its record-set class, in table (ID) order; every list below keeps that
// order unless it says otherwise.
class TemplateModel {
public:
    static TemplateModel load(Database &db);

    const QVector<TemplateNode> &nodes() const { return m_nodes; }
    const QVector<TemplateCategory> &categories() const { return m_categories; }
    // Null when no row has that ID.
    const TemplateNode *node(int id) const;
    const TemplateCategory *category(int id) const;
    // Children of a node (0 for the top level), sorted by Ordine.
    QVector<const TemplateNode *> children(int parentId) const;
    // Classes of a node in table order.
    QVector<const TemplateClass *> classesOf(int nodeId) const;
    // Attribute rows of a class in table order.
    QVector<const TemplateAttribute *> attributesOf(int classId) const;
    // Parameters of a node in table order.
    QVector<const TemplateParameter *> parametersOf(int nodeId) const;

    // Building a model in memory (tests, and the loader itself).
    void addNode(const TemplateNode &n);
    void addClass(const TemplateClass &c);
    void addAttribute(const TemplateAttribute &a);
    void addParameter(const TemplateParameter &p);
    void addCategory(const TemplateCategory &c);

private:
    QVector<TemplateNode> m_nodes;
    QVector<TemplateClass> m_classes;
    QVector<TemplateAttribute> m_attributes;
    QVector<TemplateParameter> m_parameters;
    QVector<TemplateCategory> m_categories;
    QHash<int, int> m_nodeIndex;
    QHash<int, int> m_categoryIndex;
    QHash<int, QVector<int>> m_childIndex;
    QHash<int, QVector<int>> m_classIndex;
    QHash<int, QVector<int>> m_attributeIndex;
    QHash<int, QVector<int>> m_parameterIndex;
};

#include "designer/TemplateModel.h"

#include "data/sets/CAttributiCSSSet.h"
#include "data/sets/CCategorieCodiciASPSet.h"
#include "data/sets/CClassiCSSSet.h"
#include "data/sets/CCodiceASPSet.h"
#include "data/sets/CParametriSet.h"

#include <algorithm>

namespace {

template <typename Set, typename Fn>
void readAll(Database &db, Fn &&fn)
{
    Set set(db);
    set.setSort(QStringLiteral("ID"));
    set.open();
    for (; !set.isEOF(); set.moveNext())
        fn(set);
}

} // namespace

TemplateModel TemplateModel::load(Database &db)
{
    TemplateModel m;
    readAll<CCodiceASPSet>(db, [&](CCodiceASPSet &s) {
        TemplateNode n;
        n.id = s.ID();
        n.idCategoria = s.IDCategoria();
        n.idPadre = s.IDPadre();
        n.nome = s.Nome();
        n.ordine = s.Ordine();
        n.attivo = s.Attivo();
        n.codice = s.Codice();
        n.condiviso = s.Condiviso();
        n.tipo = s.Tipo();
        n.idRiferimento = s.IDRiferimento();
        m.addNode(n);
    });
    readAll<CClassiCSSSet>(db, [&](CClassiCSSSet &s) {
        m.addClass({s.ID(), s.IDCodiceASP(), s.Ordine(), s.NomeCSS()});
    });
    readAll<CAttributiCSSSet>(db, [&](CAttributiCSSSet &s) {
        const bool null = s.isNull(QStringLiteral("Valore"));
        m.addAttribute({s.ID(), s.IDClasse(), s.IDAttributo(), s.Valore(), null});
    });
    readAll<CParametriSet>(db, [&](CParametriSet &s) {
        m.addParameter({s.ID(), s.IDCodiceASP(), s.Ordine(), s.Tipo(), s.Nome(), s.Valore(),
                        s.Opzioni()});
    });
    readAll<CCategorieCodiciASPSet>(db, [&](CCategorieCodiciASPSet &s) {
        m.addCategory({s.ID(), s.FileCSS()});
    });
    return m;
}

void TemplateModel::addNode(const TemplateNode &n)
{
    m_nodeIndex.insert(n.id, int(m_nodes.size()));
    m_childIndex[n.idPadre].append(int(m_nodes.size()));
    m_nodes.append(n);
}

void TemplateModel::addClass(const TemplateClass &c)
{
    m_classIndex[c.idCodiceAsp].append(int(m_classes.size()));
    m_classes.append(c);
}

void TemplateModel::addAttribute(const TemplateAttribute &a)
{
    m_attributeIndex[a.idClasse].append(int(m_attributes.size()));
    m_attributes.append(a);
}

void TemplateModel::addParameter(const TemplateParameter &p)
{
    m_parameterIndex[p.idCodiceAsp].append(int(m_parameters.size()));
    m_parameters.append(p);
}

void TemplateModel::addCategory(const TemplateCategory &c)
{
    m_categoryIndex.insert(c.id, int(m_categories.size()));
    m_categories.append(c);
}

const TemplateNode *TemplateModel::node(int id) const
{
    const auto it = m_nodeIndex.constFind(id);
    return it == m_nodeIndex.cend() ? nullptr : &m_nodes[*it];
}

const TemplateCategory *TemplateModel::category(int id) const
{
    const auto it = m_categoryIndex.constFind(id);
    return it == m_categoryIndex.cend() ? nullptr : &m_categories[*it];
}

QVector<const TemplateNode *> TemplateModel::children(int parentId) const
{
    QVector<const TemplateNode *> out;
    for (int i : m_childIndex.value(parentId))
        out.append(&m_nodes[i]);
    // Equal Ordine keeps table order.
    std::stable_sort(out.begin(), out.end(), [](const TemplateNode *a, const TemplateNode *b) {
        return a->ordine < b->ordine;
    });
    return out;
}

QVector<const TemplateClass *> TemplateModel::classesOf(int nodeId) const
{
    QVector<const TemplateClass *> out;
    for (int i : m_classIndex.value(nodeId))
        out.append(&m_classes[i]);
    return out;
}

QVector<const TemplateAttribute *> TemplateModel::attributesOf(int classId) const
{
    QVector<const TemplateAttribute *> out;
    for (int i : m_attributeIndex.value(classId))
        out.append(&m_attributes[i]);
    return out;
}

QVector<const TemplateParameter *> TemplateModel::parametersOf(int nodeId) const
{
    QVector<const TemplateParameter *> out;
    for (int i : m_parameterIndex.value(nodeId))
        out.append(&m_parameters[i]);
    return out;
}

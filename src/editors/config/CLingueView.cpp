#include "CLingueView.h"

#include "config/LanguageTable.h"
#include "editors/common/EditorHost.h"

namespace {

const QColor kYellow(255, 255, 200);

QList<GridEditorView::Column> languageColumns()
{
    using V = GridEditorView::Column::Value;
    return {
        {60, CEditableGrid::CheckBox, V::Bool, {}, kYellow},
        {80, CEditableGrid::Editable, V::Text, {CEditableGrid::InputFormat::Text, 5, 0}, kYellow},
        {200, CEditableGrid::Editable, V::Text, {CEditableGrid::InputFormat::Text, 50, 0}, kYellow},
        {160, CEditableGrid::DropDown, V::Item, {}, kYellow},
        {60, CEditableGrid::CheckBox, V::Bool, {}, kYellow},
    };
}

} // namespace

CLingueView::CLingueView(EditorHost &host, QWidget *parent)
    : GridEditorView(host, std::make_unique<LanguageTable>(host.database(), host.projectFolder()), LanguageTable::Header,
                     languageColumns(), parent)
{
    setObjectName(QStringLiteral("CLingueView"));
    initialise();
}

void CLingueView::fillDropDowns()
{
    grid()->clearDropDownItems(LanguageTable::Valuta);
    for (const auto &[name, id] : static_cast<LanguageTable &>(records()).currencies())
        grid()->addDropDownItem(LanguageTable::Valuta, name, id);
}

QWidget *CLingueView::create(EditorHost &host, QWidget *parent)
{
    return new CLingueView(host, parent);
}

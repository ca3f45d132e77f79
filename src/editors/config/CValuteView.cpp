#include "CValuteView.h"

#include "config/CurrencyTable.h"
#include "editors/common/EditorHost.h"

namespace {

const QColor kYellow(255, 255, 200);

QList<GridEditorView::Column> currencyColumns()
{
    using V = GridEditorView::Column::Value;
    return {
        {200, CEditableGrid::Editable, V::Text, {CEditableGrid::InputFormat::Text, 50, 0}, kYellow},
        {100, CEditableGrid::Editable, V::Double, {CEditableGrid::InputFormat::Decimal, 12, 5}, kYellow},
        {80, CEditableGrid::Editable, V::Text, {CEditableGrid::InputFormat::Text, 10, 0}, kYellow},
        {130, CEditableGrid::DropDown, V::Item, {}, kYellow},
    };
}

} // namespace

CValuteView::CValuteView(EditorHost &host, QWidget *parent)
    : GridEditorView(host, std::make_unique<CurrencyTable>(host.database()), CurrencyTable::Header,
                     currencyColumns(), parent)
{
    setObjectName(QStringLiteral("CValuteView"));
    initialise();
}

void CValuteView::fillDropDowns()
{
    grid()->clearDropDownItems(CurrencyTable::Arrotondamento);
    for (const CurrencyTable::Rounding &r : CurrencyTable::roundings())
        grid()->addDropDownItem(CurrencyTable::Arrotondamento, QString::fromLatin1(r.text), r.item);
}

QWidget *CValuteView::create(EditorHost &host, QWidget *parent)
{
    return new CValuteView(host, parent);
}

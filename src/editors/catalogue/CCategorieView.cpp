#include "CCategorieView.h"

#include "catalogue/CategoryTree.h"
#include "editors/common/EditorHost.h"

CCategorieView::CCategorieView(EditorHost &host, QWidget *parent)
    : TreeEditorView(host,
                     std::make_unique<CategoryTree>(host.database(), host, host.projectFolder()),
                     Texts{}, parent)
{
    setObjectName(QStringLiteral("CCategorieView"));
}

QWidget *CCategorieView::create(EditorHost &host, QWidget *parent)
{
    return new CCategorieView(host, parent);
}

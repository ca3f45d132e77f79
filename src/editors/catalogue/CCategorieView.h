#pragma once

#include "editors/common/TreeEditorView.h"

class EditorHost;

// The category editor: the tree editor on the product categories.
class CCategorieView : public TreeEditorView {
    Q_OBJECT
public:
    explicit CCategorieView(EditorHost &host, QWidget *parent = nullptr);

    // The factory of the command table.
    static QWidget *create(EditorHost &host, QWidget *parent);
};

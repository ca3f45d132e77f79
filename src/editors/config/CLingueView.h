#pragma once

#include "editors/common/GridEditorView.h"

// The languages of the site on the editable grid. When the window closes
// the main window reloads its language selector and keeps the window open
// while no language is active.
class CLingueView : public GridEditorView {
    Q_OBJECT
public:
    explicit CLingueView(EditorHost &host, QWidget *parent = nullptr);
    static QWidget *create(EditorHost &host, QWidget *parent);

protected:
    void fillDropDowns() override;
};

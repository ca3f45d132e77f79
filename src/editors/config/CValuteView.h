#pragma once

#include "editors/common/GridEditorView.h"

// The currencies of the site on the editable grid; the Euro (ID 1) cannot
// be deleted, and the languages of a deleted currency move to the Euro.
class CValuteView : public GridEditorView {
    Q_OBJECT
public:
    explicit CValuteView(EditorHost &host, QWidget *parent = nullptr);
    static QWidget *create(EditorHost &host, QWidget *parent);

protected:
    void fillDropDowns() override;
};

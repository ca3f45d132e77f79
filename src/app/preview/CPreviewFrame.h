#pragma once

#include "app/CommandTable.h"
#include "editors/common/EditorContract.h"

#include <QWidget>

#include <functional>

class CBrowserView;
class EditorHost;

// The preview window's content. The project database is backed up when it
// is made and put back when it goes, after the preview server has stopped,
// so that whatever the previewed pages wrote into the database is discarded.
class CPreviewFrame : public QWidget, public EditorContract {
    Q_OBJECT
public:
    struct DatabaseCopy {
        std::function<bool()> backup;
        std::function<bool()> restore;
    };

    CPreviewFrame(const QString &projectFolder, DatabaseCopy copy, QWidget *parent = nullptr,
                  quint16 port = 18888);
    ~CPreviewFrame() override;

    // The factory of the "Anteprima" command.
    static QWidget *create(EditorHost &host, const FrameParams &params, QWidget *parent);

    CBrowserView *view() const { return m_view; }

private:
    DatabaseCopy m_copy;
    CBrowserView *m_view = nullptr;
};

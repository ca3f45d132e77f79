#pragma once

#include "app/CommandTable.h"
#include "editors/common/EditorContract.h"

#include <QWidget>

#include <functional>

class CBrowserView;
class EditorHost;

// The preview window's content. The project database is backed up before
// it is made and put back when it goes, after the preview server has
// stopped, so that whatever the previewed pages wrote into the database is
// discarded. Without a backup there is no preview: what the pages wrote
// would stay for good.
class CPreviewFrame : public QWidget, public EditorContract {
    Q_OBJECT
public:
    struct DatabaseCopy {
        std::function<bool()> backup;
        std::function<bool()> restore;
    };

    // Backs the database up and, only when that worked, makes the preview;
    // null otherwise (the backup has told the user why) and nothing opens.
    static CPreviewFrame *open(const QString &projectFolder, DatabaseCopy copy,
                               QWidget *parent = nullptr, quint16 port = 18888);
    ~CPreviewFrame() override;

    // The factory of the "Anteprima" command.
    static QWidget *create(EditorHost &host, const FrameParams &params, QWidget *parent);

    CBrowserView *view() const { return m_view; }

private:
    CPreviewFrame(const QString &projectFolder, std::function<bool()> restore, QWidget *parent,
                  quint16 port);

    std::function<bool()> m_restore;
    CBrowserView *m_view = nullptr;
};

#include "CPreviewFrame.h"

#include "CBrowserView.h"
#include "app/CVendraApp.h"

#include <QVBoxLayout>

CPreviewFrame *CPreviewFrame::open(const QString &projectFolder, DatabaseCopy copy, QWidget *parent,
                                   quint16 port)
{
    if (copy.backup && !copy.backup())
        return nullptr;
    return new CPreviewFrame(projectFolder, std::move(copy.restore), parent, port);
}

CPreviewFrame::CPreviewFrame(const QString &projectFolder, std::function<bool()> restore,
                             QWidget *parent, quint16 port)
    : QWidget(parent), m_restore(std::move(restore))
{
    setObjectName(QStringLiteral("CPreviewFrame"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new CBrowserView(projectFolder, this, port);
    layout->addWidget(m_view);
}

CPreviewFrame::~CPreviewFrame()
{
    delete m_view;
    m_view = nullptr;
    if (m_restore)
        m_restore();
}

QWidget *CPreviewFrame::create(EditorHost &host, const FrameParams &, QWidget *parent)
{
    auto *app = dynamic_cast<CVendraApp *>(&host);
    if (!app)
        return nullptr;
    DatabaseCopy copy{[app] { return app->BackupDatabase(); }, [app] { return app->RestoreDatabase(); }};
    return open(app->projectPath(), std::move(copy), parent);
}

#include "CPreviewFrame.h"

#include "CBrowserView.h"
#include "app/CVendraApp.h"

#include <QVBoxLayout>

CPreviewFrame::CPreviewFrame(const QString &projectFolder, DatabaseCopy copy, QWidget *parent,
                             quint16 port)
    : QWidget(parent), m_copy(std::move(copy))
{
    setObjectName(QStringLiteral("CPreviewFrame"));
    if (m_copy.backup)
        m_copy.backup();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new CBrowserView(projectFolder, this, port);
    layout->addWidget(m_view);
}

CPreviewFrame::~CPreviewFrame()
{
    delete m_view;
    m_view = nullptr;
    if (m_copy.restore)
        m_copy.restore();
}

QWidget *CPreviewFrame::create(EditorHost &host, const FrameParams &, QWidget *parent)
{
    auto *app = dynamic_cast<CVendraApp *>(&host);
    if (!app)
        return nullptr;
    DatabaseCopy copy{[app] { return app->BackupDatabase(); }, [app] { return app->RestoreDatabase(); }};
    return new CPreviewFrame(app->projectPath(), std::move(copy), parent);
}

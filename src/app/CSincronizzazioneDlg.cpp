#include "CSincronizzazioneDlg.h"

#include "project/LockWatcher.h"

#include <QFileInfo>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

CSincronizzazioneDlg::CSincronizzazioneDlg(LockWatcher &watcher, const QString &animation,
                                           const QString &holderText, QWidget *parent)
    : QDialog(parent)
    , m_watcher(watcher)
    , m_animation(new QLabel(this))
    , m_holder(new QLabel(holderText, this))
    , m_close(new QPushButton(QStringLiteral("Chiudi Zanfira"), this))
{
    setWindowTitle(QStringLiteral("Sincronizzazione in corso..."));
    auto *layout = new QVBoxLayout(this);
    m_animation->setAlignment(Qt::AlignCenter);
    m_animation->setMinimumSize(280, 60);
    if (!animation.isEmpty() && QFileInfo::exists(animation)) {
        m_movie = new QMovie(animation, QByteArray(), this);
        if (m_movie->isValid())
            m_animation->setMovie(m_movie);
    }
    if (!m_animation->movie())
        m_animation->setText(QStringLiteral("Sincronizzazione in corso..."));
    layout->addWidget(m_animation);
    m_holder->setWordWrap(true);
    m_holder->setVisible(!holderText.isEmpty());
    layout->addWidget(m_holder);
    layout->addWidget(m_close, 0, Qt::AlignHCenter);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    // released() arrives on this thread; once the dialog is done the
    // connection is gone and a late release touches nothing.
    connect(&m_watcher, &LockWatcher::released, this, &QDialog::accept);
}

void CSincronizzazioneDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_movie && m_movie->isValid())
        m_movie->start();
    if (!m_watcher.isRunning() && !m_watcher.isReleased())
        m_watcher.start();
    // The file may have gone before the dialog was shown.
    if (m_watcher.isReleased())
        QTimer::singleShot(0, this, &QDialog::accept);
}

void CSincronizzazioneDlg::done(int result)
{
    disconnect(&m_watcher, nullptr, this, nullptr);
    m_watcher.stop();
    if (m_movie)
        m_movie->stop();
    QDialog::done(result);
}

#pragma once

#include <QDialog>

class LockWatcher;
class QLabel;
class QMovie;
class QPushButton;

// "Sincronizzazione in corso...": shown while another program holds the
// project's lock, naming that program. The lock watcher's worker looks at
// the lock; the dialog closes by itself with OK once it is free. "Chiudi
// Zanfira" closes it with cancel.
class CSincronizzazioneDlg : public QDialog {
    Q_OBJECT
public:
    // animation: an animated GIF to play (may be missing); holderText:
    // who holds the project.
    CSincronizzazioneDlg(LockWatcher &watcher, const QString &animation,
                         const QString &holderText = QString(), QWidget *parent = nullptr);

    QPushButton *closeButton() const { return m_close; }
    QLabel *holderLabel() const { return m_holder; }

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    LockWatcher &m_watcher;
    QLabel *m_animation;
    QLabel *m_holder;
    QMovie *m_movie = nullptr;
    QPushButton *m_close;
};

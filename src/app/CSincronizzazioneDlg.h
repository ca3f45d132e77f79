#pragma once

#include <QDialog>

class LockWatcher;
class QLabel;
class QMovie;
class QPushButton;

// "Sincronizzazione in corso...": shown while another program holds the
// project's lock file. The lock watcher's worker looks at the file; the
// dialog closes by itself with OK once it is gone. "Chiudi Zanfira" closes
// it with cancel.
class CSincronizzazioneDlg : public QDialog {
    Q_OBJECT
public:
    // animation: an animated GIF to play (may be missing).
    CSincronizzazioneDlg(LockWatcher &watcher, const QString &animation,
                         QWidget *parent = nullptr);

    QPushButton *closeButton() const { return m_close; }

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    LockWatcher &m_watcher;
    QLabel *m_animation;
    QMovie *m_movie = nullptr;
    QPushButton *m_close;
};

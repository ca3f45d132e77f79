#pragma once

#include "project/DatabaseUpgrade.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// "Aggiornamento progetto": runs the upgrade of an older project database
// with a bar for the tables and one for the rows of the current table.
// "Annulla" stops the copy at the next row; the project database is then
// left as it was.
class CAggiornamentoProgettoDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAggiornamentoProgettoDlg(DatabaseUpgrade &upgrade, QWidget *parent = nullptr);

    // Runs the whole upgrade while the dialog is shown; returns the outcome.
    DatabaseUpgrade::Result runUpgrade();
    const DatabaseUpgrade &upgrade() const { return m_upgrade; }

    QLabel *tableLabel() const { return m_tableLabel; }
    QLabel *recordLabel() const { return m_recordLabel; }
    QProgressBar *tableBar() const { return m_tableBar; }
    QProgressBar *recordBar() const { return m_recordBar; }
    QPushButton *cancelButton() const { return m_cancel; }

    // Called at every row of the upgrade (after the events were processed);
    // tests use it to press "Annulla" at a chosen point.
    void setRowHook(std::function<void()> hook) { m_rowHook = std::move(hook); }

protected:
    void reject() override;

private:
    DatabaseUpgrade &m_upgrade;
    QLabel *m_tableLabel;
    QLabel *m_recordLabel;
    QProgressBar *m_tableBar;
    QProgressBar *m_recordBar;
    QPushButton *m_cancel;
    std::function<void()> m_rowHook;
    bool m_running = false;
};

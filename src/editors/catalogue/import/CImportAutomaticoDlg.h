#pragma once

#include <QDialog>

class AutomaticImport;
class QLabel;
class QProgressBar;
class QPushButton;

// "Import automatico": imports the external data files of a project while
// showing the status text and the progress bar; "Annulla" stops after the
// current line.
class CImportAutomaticoDlg : public QDialog {
    Q_OBJECT
public:
    CImportAutomaticoDlg(const QString &projectFolder, const QString &externalFolder,
                         QWidget *parent = nullptr);

    // Runs the whole import (the window stays responsive meanwhile), then
    // shows the closing message. Returns whether every file went through.
    bool runImport();

    QLabel *statusLabel() const { return m_status; }
    QProgressBar *progressBar() const { return m_progress; }
    QPushButton *cancelButton() const { return m_cancel; }
    void cancel();

protected:
    void reject() override;

private:
    QString m_project;
    QString m_folder;
    AutomaticImport *m_import = nullptr;
    QLabel *m_status;
    QProgressBar *m_progress;
    QPushButton *m_cancel;
};

// The project-opening hook: runs the dialog modeless over parent.
void runAutomaticImport(QWidget *parent, const QString &projectFolder, const QString &externalFolder);

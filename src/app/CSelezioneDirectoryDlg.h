#pragma once

#include <QDialog>

class QDialogButtonBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QTreeView;

// The folder chooser: a tree of the folders of the file system, the chosen
// folder's path in a status line and, when asked, a box in which a path can
// be typed. OK checks the path (FolderPathCheck) and offers to create a
// missing folder; the chooser stays open while the path is not acceptable.
class CSelezioneDirectoryDlg : public QDialog {
    Q_OBJECT
public:
    CSelezioneDirectoryDlg(const QString &title, const QString &prompt,
                           const QString &startFolder, bool typingBox,
                           QWidget *owner = nullptr);

    QString folder() const { return m_folder; }
    QLineEdit *typingBox() const { return m_edit; }
    QTreeView *tree() const { return m_tree; }
    bool isOkEnabled() const;

    // Runs the chooser the way the installed UI port shows folder choices:
    // this dialog in the window build, the port's own chooser otherwise (the
    // same checks apply to the folder it returns). Empty when cancelled.
    static QString choose(const QString &title, const QString &prompt,
                          const QString &startFolder, bool typingBox,
                          QWidget *owner = nullptr);

public slots:
    void accept() override;

private:
    void selectionChanged();
    void typed(const QString &text);

    QFileSystemModel *m_model;
    QTreeView *m_tree;
    QLabel *m_status;
    QLineEdit *m_edit;
    QDialogButtonBox *m_buttons;
    bool m_typing;
    QString m_folder;
};

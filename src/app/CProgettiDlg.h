#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class QRadioButton;

// "Progetti": create a new project or open one of the recent ones (or any
// other folder through "Altri progetti...").
class CProgettiDlg : public QDialog {
    Q_OBJECT
public:
    enum Choice { CreateNew = 0, OpenExisting = 1 };
    static inline const QString OtherProjects = QStringLiteral("Altri progetti...");

    // recent: the recent projects, newest first.
    explicit CProgettiDlg(const QStringList &recent, QWidget *parent = nullptr);

    Choice choice() const { return m_choice; }
    // The folder to open (OpenExisting); empty when the chooser was cancelled.
    QString folder() const { return m_folder; }

    QRadioButton *createButton() const { return m_create; }
    QRadioButton *openButton() const { return m_open; }
    QListWidget *list() const { return m_list; }

public slots:
    void accept() override;

private:
    void setChoice(Choice choice);

    QRadioButton *m_create;
    QRadioButton *m_open;
    QListWidget *m_list;
    Choice m_choice = CreateNew;
    QString m_folder;
};

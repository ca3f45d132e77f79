#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// "Nuovo progetto": the name of the new project (lower-case letters, digits
// and "-_.", at most 15) and the folder it is made in. OK creates the folder
// and closes with it as the result.
class CNuovoProgettoDlg : public QDialog {
    Q_OBJECT
public:
    explicit CNuovoProgettoDlg(const QString &baseFolder, QWidget *parent = nullptr);

    // The created project folder (after OK).
    QString directory() const { return m_result; }

    QLineEdit *nameEdit() const { return m_name; }
    QLineEdit *directoryEdit() const { return m_directory; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *browseButton() const { return m_browse; }
    QString baseFolder() const { return m_base; }

public slots:
    void accept() override;
    void browse();

private:
    void rebuildDirectory();

    QString m_base;
    QString m_result;
    QLineEdit *m_name;
    QLineEdit *m_directory;
    QPushButton *m_browse;
    QPushButton *m_ok;
};

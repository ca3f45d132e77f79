#pragma once

#include <QDialog>

class QLabel;

// The about box: version and build of the program.
class CInformazioniDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int Version = 50;
    static constexpr int Build = 4349;

    // "5.0": the first digit, a point, the rest.
    static QString versionText();
    // "(Build 4349)".
    static QString buildText();

    explicit CInformazioniDlg(QWidget *parent = nullptr);

    QLabel *versionLabel() const { return m_version; }
    QLabel *buildLabel() const { return m_build; }

private:
    QLabel *m_version;
    QLabel *m_build;
};

#pragma once

#include "catalogue/import/ImportFields.h"

#include <QDialog>

class CEditableGrid;
class Database;
class ProductImport;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;
class QRadioButton;

// "Import dati esterni": the product import from a text file. The options
// are chosen here; the work is done by ProductImport.
class CImportaProdottiDlg : public QDialog {
    Q_OBJECT
public:
    static inline const QString FileFilter = QStringLiteral("Files testo (*.txt *.csv);;Tutti i files (*.*)");

    // db: the application's connection (closed and reopened around the
    // swap); currentLanguage: the language of the category names.
    CImportaProdottiDlg(Database &db, const QString &projectFolder, const QString &currentLanguage,
                        QWidget *parent = nullptr);
    ~CImportaProdottiDlg() override;

    // For tests and the window alike.
    void setFileName(const QString &file);
    void setSeparator(const QString &separator);
    void setLanguage(const QString &code);
    void setObsolete(int option); // -1 none, 0 "Elimina", 1 "Disattiva"
    QListWidget *fieldList() const { return m_fields; }
    CEditableGrid *previewGrid() const { return m_preview; }
    QPushButton *startButton() const { return m_start; }
    QPushButton *cancelButton() const { return m_cancel; }
    QVector<int> fieldCodes() const { return m_list.codes(); }
    bool isRunning() const { return m_import != nullptr; }

    void browse();
    void moveUp();
    void moveDown();
    void showCategoryIds();
    void refreshPreview();
    // "Avvio".
    void start();
    // "Annulla": stops a running import, otherwise closes the dialog.
    void cancelOrClose();

protected:
    void reject() override;

private:
    void fillFieldList();
    void onItemChanged(QListWidgetItem *item);
    void updateMoveButtons();

    Database &m_db;
    QString m_project;
    QString m_language;
    ImportFieldList m_list;
    ProductImport *m_import = nullptr;
    bool m_filling = false;

    QLineEdit *m_file = nullptr;
    QComboBox *m_languages = nullptr;
    QListWidget *m_fields = nullptr;
    QPushButton *m_up = nullptr;
    QPushButton *m_down = nullptr;
    QGroupBox *m_obsolete = nullptr;
    QRadioButton *m_delete = nullptr;
    QRadioButton *m_deactivate = nullptr;
    QLineEdit *m_separator = nullptr;
    CEditableGrid *m_preview = nullptr;
    QLabel *m_status = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_start = nullptr;
    QPushButton *m_cancel = nullptr;
};

#pragma once

#include <QDialog>

class CValidatedEdit;
class Database;
class LanguageContext;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;

// "Aggiornamento listini": changes list prices by a percentage for the
// products of one category or of all categories. The work is done by
// PriceListUpdate.
class CAggiornamentoListiniDlg : public QDialog {
    Q_OBJECT
public:
    CAggiornamentoListiniDlg(Database &db, LanguageContext &languages, const QString &projectFolder,
                             QWidget *parent = nullptr);

    CValidatedEdit *percentageEdit() const { return m_percentage; }
    QComboBox *listCombo() const { return m_list; }
    QCheckBox *promotionalBox() const { return m_promotional; }
    QLineEdit *categoryText() const { return m_category; }
    QPushButton *startButton() const { return m_start; }
    int categoryId() const { return m_categoryId; }

    // "...": the category chooser under the button; choosing an item calls
    // chooseCategory().
    QTreeWidget *openCategoryChooser();
    void chooseCategory(int id, const QString &text);
    // "Avvio".
    void start();

private:
    Database &m_db;
    LanguageContext &m_languages;
    QString m_project;
    int m_categoryId = 0;
    QLineEdit *m_category = nullptr;
    QPushButton *m_choose = nullptr;
    CValidatedEdit *m_percentage = nullptr;
    QComboBox *m_list = nullptr;
    QCheckBox *m_promotional = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_start = nullptr;
};

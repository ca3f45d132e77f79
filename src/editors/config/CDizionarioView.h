#pragma once

#include "editors/common/EditorContract.h"

#include <QWidget>

#include <functional>
#include <memory>

class DictionaryEntries;
class EditorHost;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// "Dizionario": the list of the dictionary's codes and, for the selected
// entry, its code and its text in the current language (the default
// language's text when it has none). Insert is enabled while no entry is
// selected, save and delete while one is.
class CDizionarioView : public QWidget, public EditorContract {
    Q_OBJECT
public:
    static inline const QString DeleteTitle = QStringLiteral("Cancellazione voce dizionario");

    explicit CDizionarioView(EditorHost &host, QWidget *parent = nullptr);
    ~CDizionarioView() override;

    QListWidget *list() const { return m_list; }
    QLineEdit *codeEdit() const { return m_code; }
    QPlainTextEdit *textEdit() const { return m_text; }
    QPushButton *insertButton() const { return m_insert; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *deleteButton() const { return m_delete; }
    // The selected entry's ID, 0 when none is selected.
    int selectedId() const;

    void insertEntry();
    void saveEntry();
    void deleteEntry();

    // EditorContract
    bool refreshesOnLanguageChange() const override { return true; }
    void refreshLanguage() override;

    QSize sizeHint() const override { return {720, 460}; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillList();
    void showSelected();
    void clearSelection();
    void updateButtons();
    // Validation of insert and save; the upper-cased code when it passes.
    bool validate(int exceptId, QString *code);
    bool report(const std::function<void()> &work);

    EditorHost &m_host;
    std::unique_ptr<DictionaryEntries> m_entries;
    QListWidget *m_list;
    QLineEdit *m_code;
    QPlainTextEdit *m_text;
    QPushButton *m_insert;
    QPushButton *m_save;
    QPushButton *m_delete;
};

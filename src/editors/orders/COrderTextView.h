#pragma once

#include "editors/common/EditorContract.h"

#include <QWidget>

#include <memory>

class EditorHost;
class OrderTexts;
class QPlainTextEdit;

// Editor of the texts the site shows around orders: the sales conditions
// (text kind 0) or the customer notification (text kind 1), one text per
// language. The text is stored when the window closes and when the
// language changes, under the language it was shown for.
class COrderTextView : public QWidget, public EditorContract {
    Q_OBJECT
public:
    COrderTextView(EditorHost &host, int textKind, QWidget *parent = nullptr);
    ~COrderTextView() override;

    int textKind() const;
    QPlainTextEdit *textEdit() const { return m_edit; }
    QString shownLanguage() const;

    // Stores the text when it differs; false (after telling the user) when
    // the write failed.
    bool storeText();

    // EditorContract
    bool hasUnsavedChanges() override;
    bool saveChanges() override { return storeText(); }
    bool refreshesOnLanguageChange() const override { return true; }
    void refreshLanguage() override;

    QSize sizeHint() const override { return {640, 420}; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void display();

    EditorHost &m_host;
    std::unique_ptr<OrderTexts> m_texts;
    QPlainTextEdit *m_edit;
};

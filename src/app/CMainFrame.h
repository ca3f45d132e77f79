#pragma once

#include "project/LanguageList.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

class CChildFrame;
class CVendraApp;
class EditorContract;
class QAction;
class QComboBox;
class QMdiArea;
class QMenu;
class QToolBar;

// The main window: menus with the command table, the main toolbar with the
// language selector and the record commands, the designer toolbar, the
// status bar, and the area in which the editor windows open.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CVendraApp &app);
    ~CMainFrame() override;

    // --- language services ---------------------------------------------
    // Fills the selector with the active languages of the open project;
    // false when none is active (the selector is then left as it was).
    bool LoadLanguages();
    void ResetLanguages();
    QString GetCurrentLanguageCode() const;
    QString GetDefaultLanguageCode() const;
    bool IsDefaultLanguage() const;
    void SelectDefaultLanguage();
    QComboBox *languageSelector() const { return m_languages; }
    // Shows the project's language list in the selector.
    void showLanguageList();

    // --- toolbars -------------------------------------------------------
    void ShowMainToolbar();
    void ShowDesignerToolbar();
    QToolBar *mainToolbar() const { return m_mainToolbar; }
    QToolBar *designerToolbar() const { return m_designerToolbar; }

    // --- editors --------------------------------------------------------
    QMdiArea *mdiArea() const { return m_mdi; }
    CChildFrame *activeFrame() const;
    EditorContract *activeEditor() const;
    // Shows a frame in the editor area, sized to its editor and centred.
    void showFrame(CChildFrame *frame, bool maximised);

    // The action of a command id (null when the command is not offered).
    QAction *action(int id) const { return m_actions.value(id); }
    // Sets the enabled state of every command (also run on a timer, as the
    // state of the editor's commands changes with what it shows).
    void updateCommandUi();

signals:
    // The selector moved to another language (not sent by SelectDefaultLanguage).
    void languageChanged();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QAction *addCommand(int id, const QString &text, const QIcon &icon,
                        const QString &statusTip = QString());
    void buildMenus();
    void buildToolbars();
    QMenu *menuFor(const QString &path);
    void onCommand(int id);
    void onLanguageSelected(int row);
    LanguageList &list() const;
    bool isRecordOrOrderCommand(int id) const;

    CVendraApp &m_app;
    QMdiArea *m_mdi;
    QToolBar *m_mainToolbar = nullptr;
    QToolBar *m_designerToolbar = nullptr;
    QComboBox *m_languages = nullptr;
    bool m_selectingDefault = false;
    QHash<int, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    QTimer m_updateTimer;
};

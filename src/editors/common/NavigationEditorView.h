#pragma once

#include "EditorContract.h"
#include "NavigationEditor.h"
#include "RecordsetCursor.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <memory>

class EditorHost;
class QCheckBox;
class QLabel;
class Recordset;

// The window base of a navigation editor (products, articles, users,
// modules, forum posts): one record at a time, driven by the record
// commands of the main toolbar. It owns the editor's main record set and
// the NavigationEditor state machine, routes the toolbar commands to it,
// shows the record position, and gives the child window the insert and
// unsaved-changes answers of its close rule.
//
// A concrete editor builds its form, registers its three-state boxes and
// the controls that cannot serve as filter criteria, implements the
// NavigationForm operations, and calls start() with its base filter.
class NavigationEditorView : public QWidget, public EditorContract, public NavigationForm {
    Q_OBJECT
public:
    NavigationEditorView(EditorHost &host, std::unique_ptr<Recordset> records,
                         NavigationTexts texts, QWidget *parent = nullptr);
    ~NavigationEditorView() override;

    EditorHost &host() const { return m_host; }
    Recordset &records() const { return *m_records; }
    NavigationEditor &navigation() { return m_navigation; }
    // "%d / %d" of the displayed record; the concrete form places it.
    QLabel *positionLabel() const { return m_position; }

    // EditorContract
    bool insertInProgress() const override { return m_navigation.isInserting(); }
    bool hasUnsavedChanges() override;
    bool saveChanges() override;
    bool handlesRecordCommand(int command) const override { return m_navigation.handles(command); }
    CommandState recordCommandState(int command) override;
    void runRecordCommand(int command) override;
    // Only some navigation editors follow the language selector (products,
    // articles, modules); the others set nothing and are not told.
    bool refreshesOnLanguageChange() const override { return m_followsLanguage; }
    // Shows the current record again in the new language.
    void refreshLanguage() override;

    // NavigationForm: the default filter entry sets the registered boxes
    // to the indeterminate state and disables the registered controls.
    void enterCriteriaMode() override;
    void leaveCriteriaMode() override;
    void navigationStateChanged() override;

signals:
    // The toolbar's state may have changed (the main window re-reads it).
    void recordCommandsChanged();

protected:
    // Opens the record set with the base filter and shows the first record.
    void start(const QString &baseFilter);
    void setFollowsLanguage(bool follows) { m_followsLanguage = follows; }
    // Three-state boxes: two-state while editing, three-state in filter entry.
    void addFilterBox(QCheckBox *box);
    // Controls that cannot serve as filter criteria.
    void addNonCriteriaControl(QWidget *control);
    const QList<QPointer<QCheckBox>> &filterBoxes() const { return m_boxes; }

private:
    EditorHost &m_host;
    std::unique_ptr<Recordset> m_records;
    RecordsetCursor m_cursor;
    NavigationEditor m_navigation;
    QLabel *m_position = nullptr;
    QList<QPointer<QCheckBox>> m_boxes;
    QList<QPointer<QWidget>> m_nonCriteria;
    bool m_followsLanguage = false;
};

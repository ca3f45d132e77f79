#pragma once

#include "CommandTable.h"

#include <QMdiSubWindow>
#include <QPointer>

class EditorContract;
class EditorHost;

// The frame of every editor window. It hosts one editor view, carries the
// values its opener set (FrameParams) and decides, by the class of the
// view, whether the window may close.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // The close rules, one per family of editors.
    enum class CloseRule {
        None,           // no check
        RecordForm,     // insert warning; save unless view mode 1; insert warning again
        SaveOrKeepOpen, // unsaved changes whose save fails keep the window open
        SaveThenClose,  // unsaved changes are saved, the window closes anyway
        GridRows,       // pending row or failed save: keep open at the resume cell
        Languages,      // as GridRows, then the selector is reloaded; none active: keep open
        FormWithRows,   // pending row, insert warning, save, insert warning again
    };
    struct RuleEntry {
        const char *viewClass;
        CloseRule rule;
        const char *insertTitle;
    };
    // The rule of an editor view class (None for classes not listed).
    static RuleEntry ruleFor(const char *viewClass);

    CChildFrame(EditorHost &host, const FrameParams &params, QWidget *parent = nullptr);

    // Builds the view with the factory and takes it; false when the factory
    // gave nothing.
    bool createView(EditorFactory factory);
    const FrameParams &params() const { return m_params; }
    // Hosts a view made elsewhere (the frame takes it over).
    void adoptView(QWidget *view);
    QWidget *view() const { return m_view; }
    EditorContract *editor() const;

    // Applies the close rule without closing; true when the window may go.
    bool canClose();

    // Ctrl+S: stores what the editor holds (the pending new row, the record
    // being inserted, or the changed record). False when the editor refused.
    bool saveNow();

    // The name under which the frame's size is remembered (the view's class).
    QString settingsKey() const;
    // The size and state the user last left this editor's window in;
    // an invalid size when never.
    QSize rememberedSize() const;
    bool rememberedMaximised() const;

signals:
    // The frame closed; secondary frames do not end the one-editor state.
    void frameClosed(CChildFrame *frame, bool endsEditorState);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void warnInsert(const char *title);
    void rememberSize() const;
    bool keepOpenAtCell();

    EditorHost &m_host;
    FrameParams m_params;
    QPointer<QWidget> m_view;
    bool m_closed = false;
};

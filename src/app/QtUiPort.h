#pragma once

#include "support/UiPort.h"

#include <QPointer>
#include <QWidget>

// The UI port of the window build: Qt message boxes and standard choosers,
// owned by the main window once it exists.
class QtUiPort : public UiPort {
public:
    Answer message(const QString &title, const QString &text, Icon icon,
                   Buttons buttons) override;
    QString chooseOpenFile(const QString &title, const QString &startFolder,
                           const QString &filter) override;
    QString chooseSaveFile(const QString &title, const QString &startPath,
                           const QString &filter) override;
    QString chooseFolder(const QString &title, const QString &startFolder) override;
    QColor chooseColour(const QColor &initial) override;
    bool choosePrinter(QPrinter &printer) override;
    void setParentWindow(QWidget *parent) override { m_parent = parent; }

private:
    QWidget *parent() const;

    QPointer<QWidget> m_parent;
};

#include "QtUiPort.h"

#include "CSelezioneDirectoryDlg.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {

QMessageBox::Icon boxIcon(UiPort::Icon icon)
{
    switch (icon) {
    case UiPort::Icon::Stop:
        return QMessageBox::Critical;
    case UiPort::Icon::Exclamation:
        return QMessageBox::Warning;
    case UiPort::Icon::Information:
        return QMessageBox::Information;
    case UiPort::Icon::Question:
        return QMessageBox::Question;
    case UiPort::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(UiPort::Buttons buttons)
{
    switch (buttons) {
    case UiPort::Buttons::Ok:
        return QMessageBox::Ok;
    case UiPort::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case UiPort::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case UiPort::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case UiPort::Buttons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

UiPort::Answer answerOf(int button, UiPort::Buttons buttons)
{
    switch (button) {
    case QMessageBox::Ok:
        return UiPort::Answer::Ok;
    case QMessageBox::Yes:
        return UiPort::Answer::Yes;
    case QMessageBox::No:
        return UiPort::Answer::No;
    case QMessageBox::Retry:
        return UiPort::Answer::Retry;
    case QMessageBox::Cancel:
        return UiPort::Answer::Cancel;
    default:
        break;
    }
    // Closed with Escape or the title bar: the "negative" answer of the set.
    switch (buttons) {
    case UiPort::Buttons::Ok:
        return UiPort::Answer::Ok;
    case UiPort::Buttons::YesNo:
        return UiPort::Answer::No;
    default:
        return UiPort::Answer::Cancel;
    }
}

} // namespace

QWidget *QtUiPort::parent() const
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return m_parent.data();
}

UiPort::Answer QtUiPort::message(const QString &title, const QString &text, Icon icon,
                                 Buttons buttons)
{
    QMessageBox box(boxIcon(icon), title.isEmpty() ? QStringLiteral("Zanfira") : title,
                    text, boxButtons(buttons), parent());
    if (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel)
        box.setDefaultButton(QMessageBox::Yes);
    return answerOf(box.exec(), buttons);
}

QString QtUiPort::chooseOpenFile(const QString &title, const QString &startFolder,
                                 const QString &filter)
{
    return QFileDialog::getOpenFileName(parent(), title, startFolder, filter);
}

QString QtUiPort::chooseSaveFile(const QString &title, const QString &startPath,
                                 const QString &filter)
{
    return QFileDialog::getSaveFileName(parent(), title, startPath, filter);
}

QString QtUiPort::chooseFolder(const QString &title, const QString &startFolder)
{
    CSelezioneDirectoryDlg dlg(title, QString(), startFolder, false, parent());
    return dlg.exec() == QDialog::Accepted ? dlg.folder() : QString();
}

QColor QtUiPort::chooseColour(const QColor &initial)
{
    const QColor chosen = QColorDialog::getColor(initial, parent());
    return chosen.isValid() ? chosen : QColor();
}

bool QtUiPort::choosePrinter(QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent());
    return dialog.exec() == QDialog::Accepted;
}

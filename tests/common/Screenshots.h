#pragma once

// Pictures of windows for a look by eye, written to screenshots/ in the
// build folder. Only test cases named Screenshot... take them: CTest labels
// those "screenshots", apart from the unit tests.

#include <QApplication>
#include <QDir>
#include <QString>
#include <QWidget>

inline QString screenshotPath(const QString &fileName)
{
    const QString folder = QStringLiteral(ZANFIRA_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + fileName;
}

// Shows the widget, lets it paint and saves its picture; true when written.
inline bool saveScreenshot(QWidget &widget, const QString &fileName)
{
    widget.show();
    QApplication::processEvents();
    return widget.grab().save(screenshotPath(fileName));
}

#pragma once

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

// The splash screen shown when the main window is created. It goes after
// 1500 ms, or at once when a key or a mouse button is pressed anywhere in
// the program; that key or click is consumed. At most one exists.
class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMs = 1500;

    // Allows the splash for this run (the application enables it at start).
    static void EnableSplashScreen(bool enable = true);
    // Shows the splash centred on the screen when enabled and none exists.
    static void ShowSplashScreen(QWidget *owner = nullptr);
    // Hides and destroys the splash; true when one was shown.
    static bool HideSplashScreen();
    static CSplashWnd *current();

    // The picture painted by the splash.
    static QPixmap picture();

protected:
    void paintEvent(QPaintEvent *) override;

private:
    explicit CSplashWnd(QWidget *owner);
    ~CSplashWnd() override;

    QPixmap m_picture;
    QTimer m_timer;
};

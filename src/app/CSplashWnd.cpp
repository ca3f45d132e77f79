#include "CSplashWnd.h"

#include <QApplication>
#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

namespace {

bool g_enabled = false;
QPointer<CSplashWnd> g_splash;

// Offered every event of the program while the splash is shown: key and
// mouse-button presses hide it and go no further.
class SplashInputFilter : public QObject {
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (!g_splash)
            return false;
        switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Comes before the key press itself. Accepting it claims the key
            // for the press below, so that no shortcut fires.
            event->accept();
            return true;
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonDblClick:
            CSplashWnd::HideSplashScreen();
            return true;
        default:
            return false;
        }
    }
};

SplashInputFilter *g_filter = nullptr;

} // namespace

void CSplashWnd::EnableSplashScreen(bool enable)
{
    g_enabled = enable;
}

CSplashWnd *CSplashWnd::current()
{
    return g_splash.data();
}

void CSplashWnd::ShowSplashScreen(QWidget *owner)
{
    if (!g_enabled || g_splash)
        return;
    g_splash = new CSplashWnd(owner);
    g_splash->show();
    g_splash->raise();
}

bool CSplashWnd::HideSplashScreen()
{
    if (!g_splash)
        return false;
    CSplashWnd *splash = g_splash.data();
    g_splash = nullptr;
    splash->hide();
    splash->deleteLater();
    return true;
}

QPixmap CSplashWnd::picture()
{
    QPixmap pix(420, 260);
    QPainter p(&pix);
    QLinearGradient g(0, 0, 0, pix.height());
    g.setColorAt(0, QColor(32, 74, 135));
    g.setColorAt(1, QColor(12, 30, 60));
    p.fillRect(pix.rect(), g);
    p.setPen(QColor(250, 250, 250));
    QFont big = p.font();
    big.setPointSize(34);
    big.setBold(true);
    p.setFont(big);
    p.drawText(QRect(0, 50, pix.width(), 70), Qt::AlignCenter, QStringLiteral("Zanfira"));
    QFont small = p.font();
    small.setPointSize(11);
    small.setBold(false);
    p.setFont(small);
    p.drawText(QRect(0, 125, pix.width(), 30), Qt::AlignCenter,
               QStringLiteral("Gestione del negozio online - 5.0"));
    p.setPen(QColor(170, 190, 220));
    p.drawText(QRect(0, pix.height() - 40, pix.width(), 30), Qt::AlignCenter,
               QStringLiteral("Brellix S.r.l."));
    p.setPen(QColor(255, 255, 255, 90));
    p.drawRect(pix.rect().adjusted(0, 0, -1, -1));
    return pix;
}

CSplashWnd::CSplashWnd(QWidget *owner)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_picture(picture())
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(m_picture.size());
    const QScreen *screen = owner && owner->screen() ? owner->screen() : QApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
    if (!g_filter) {
        g_filter = new SplashInputFilter;
        g_filter->setParent(qApp);
    }
    qApp->installEventFilter(g_filter);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [] { HideSplashScreen(); });
    m_timer.start(kShowMs);
}

CSplashWnd::~CSplashWnd()
{
    if (g_filter && qApp)
        qApp->removeEventFilter(g_filter);
}

void CSplashWnd::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(0, 0, m_picture);
}

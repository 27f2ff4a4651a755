#include "app/SplashWindow.h"

#include "app/AppResources.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>

namespace veldran {
namespace {

// The one splash of the program (null when none is up) and the switch start-up sets.
CSplashWindow* s_pSplashWnd = nullptr;
bool s_bShowSplash = false;

// The presses that take the splash away: a key, or the left, right or middle button in a
// window's inside or on its frame.
bool IsDismissingPress(const QEvent* pEvent)
{
    switch (pEvent->type()) {
    case QEvent::KeyPress:
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress: {
        const Qt::MouseButton button = static_cast<const QMouseEvent*>(pEvent)->button();
        return button == Qt::LeftButton || button == Qt::RightButton || button == Qt::MiddleButton;
    }
    default:
        return false;
    }
}

} // namespace

CSplashWindow::CSplashWindow(QWidget* pParent)
    : QWidget(pParent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_pOwner(pParent)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    // The picture covers every pixel; there is no background to paint first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::ArrowCursor);
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDisplayMs);
    connect(&m_timer, &QTimer::timeout, this, &CSplashWindow::OnTimer);
}

CSplashWindow::~CSplashWindow()
{
    if (s_pSplashWnd == this)
        s_pSplashWnd = nullptr;
}

void CSplashWindow::EnableSplash(bool bEnable)
{
    s_bShowSplash = bEnable;
}

CSplashWindow* CSplashWindow::Current()
{
    return s_pSplashWnd;
}

void CSplashWindow::ShowSplash(QWidget* pParent)
{
    if (!s_bShowSplash || s_pSplashWnd)
        return;
    s_bShowSplash = false;
    s_pSplashWnd = new CSplashWindow(pParent);
    if (!s_pSplashWnd->Create()) {
        delete s_pSplashWnd; // its destructor clears the pointer
        return;
    }
    s_pSplashWnd->show();
    s_pSplashWnd->repaint();
}

bool CSplashWindow::Create()
{
    if (!m_bitmap.load(SplashBitmapPath()))
        return false;
    setFixedSize(m_bitmap.size());
    CentreWindow();
    // The frame is shown after the splash; without a window manager to keep the splash on top,
    // it would cover the picture.
    if (m_pOwner)
        m_pOwner->installEventFilter(this);
    m_timer.start();
    return true;
}

void CSplashWindow::CentreWindow()
{
    QRect area;
    if (m_pOwner && m_pOwner->isVisible()) {
        area = m_pOwner->frameGeometry();
    } else {
        const QScreen* screen = m_pOwner ? m_pOwner->screen() : QGuiApplication::primaryScreen();
        if (screen)
            area = screen->availableGeometry();
    }
    move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), area).topLeft());
}

bool CSplashWindow::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_pOwner && pEvent->type() == QEvent::Show)
        QMetaObject::invokeMethod(this, &QWidget::raise, Qt::QueuedConnection);
    return QWidget::eventFilter(pWatched, pEvent);
}

void CSplashWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_bitmap);
}

void CSplashWindow::OnTimer()
{
    HideSplash();
}

void CSplashWindow::HideSplash()
{
    CSplashWindow* pSplash = s_pSplashWnd;
    if (!pSplash)
        return;
    const QPointer<QWidget> pMainWnd = pSplash->m_pOwner;
    pSplash->DestroyWindow();
    if (pMainWnd && pMainWnd->isVisible())
        pMainWnd->repaint();
}

void CSplashWindow::DestroyWindow()
{
    m_timer.stop();
    if (m_pOwner)
        m_pOwner->removeEventFilter(this);
    hide();
    if (s_pSplashWnd == this)
        s_pSplashWnd = nullptr;
    deleteLater();
}

bool CSplashWindow::FilterAppMessage(QObject*, QEvent* pEvent)
{
    // Only input events are looked at: they come on the user-interface thread alone, while
    // other events pass here from any thread.
    const QEvent::Type type = pEvent->type();
    if (type == QEvent::ShortcutOverride) {
        if (!s_pSplashWnd)
            return false;
        // Accepted, the key is not tried as an accelerator; it comes back as a key press.
        pEvent->accept();
        return true;
    }
    if (!IsDismissingPress(pEvent) || !s_pSplashWnd)
        return false;
    HideSplash();
    return true;
}

} // namespace veldran

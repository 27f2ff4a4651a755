#pragma once
// The start-up picture. It appears once per run as the main frame is created and goes after three
// seconds or at the first key or mouse-button press anywhere in the program, which it swallows so
// that the press does nothing else.

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QEvent;

namespace veldran {

class CSplashWindow : public QWidget {
    Q_OBJECT
public:
    // Timer 1: how long the picture stays without any input.
    static constexpr int kDisplayMs = 3000;

    // Arms (or disarms) the next ShowSplash. Start-up arms it unless the program was started
    // by another program (embedding, automation); showing the splash disarms it again, so a
    // run never sees it twice.
    static void EnableSplash(bool bEnable);
    // Shows the picture centred over pParent (on the screen while pParent is hidden), if armed
    // and none is up. Without the picture start-up simply goes on.
    static void ShowSplash(QWidget* pParent);
    // Takes the picture away and repaints the window it covered.
    static void HideSplash();
    // The program's first look at every event: true when the splash consumed it.
    [[nodiscard]] static bool FilterAppMessage(QObject* pReceiver, QEvent* pEvent);

    // The splash on screen, or null.
    [[nodiscard]] static CSplashWindow* Current();

    // Timer 1 itself, so that its period can be checked and it can be fired without waiting.
    [[nodiscard]] QTimer& HideTimer() { return m_timer; }

    ~CSplashWindow() override;

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    explicit CSplashWindow(QWidget* pParent);
    [[nodiscard]] bool Create();
    void CentreWindow();
    void OnTimer();
    // Hides the window at once; the object goes when control is back in the event loop, because
    // the event that hid it may still be on its way through this very window.
    void DestroyWindow();

    QPixmap m_bitmap;
    QTimer m_timer;
    QPointer<QWidget> m_pOwner;
};

} // namespace veldran

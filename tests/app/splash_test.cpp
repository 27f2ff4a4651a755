// The start-up splash: how long it stays, which input takes it away (and is swallowed), and when
// it does not appear at all. Input travels through the program's own application object.

#include "app/CommandLine.h"
#include "app/SplashWindow.h"
#include "app/VeldranApp.h"

#include <QAction>
#include <QPointer>
#include <QScreen>
#include <QTest>

using veldran::CSplashWindow;

namespace {

// The main window stand-in: counts the input and the paints that reach it.
class Recorder : public QWidget {
public:
    Recorder()
    {
        setFocusPolicy(Qt::StrongFocus);
        auto* action = new QAction(this);
        // A key without modifiers: with one, the modifier key's own press would come first.
        action->setShortcut(QKeySequence(Qt::Key_F6));
        addAction(action);
        QObject::connect(action, &QAction::triggered, this, [this] { ++m_nReceived; });
    }
    int m_nReceived = 0; // key presses, button presses and accelerators
    int m_nPaints = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override { ++m_nReceived; event->accept(); }
    void mousePressEvent(QMouseEvent* event) override { ++m_nReceived; event->accept(); }
    void paintEvent(QPaintEvent*) override { ++m_nPaints; }
};

enum class Input { Key, KeyFromWindowSystem, Accelerator, AcceleratorFromWindowSystem, LeftButton, RightButton, MiddleButton, BackButton };

void Send(Input input, Recorder& target)
{
    QWindow* window = target.windowHandle();
    switch (input) {
    case Input::Key: QTest::keyClick(&target, Qt::Key_A); break;
    case Input::KeyFromWindowSystem: QTest::keyClick(window, Qt::Key_A); break;
    case Input::Accelerator: QTest::keyClick(&target, Qt::Key_F6); break;
    case Input::AcceleratorFromWindowSystem: QTest::keyClick(window, Qt::Key_F6); break;
    case Input::LeftButton: QTest::mouseClick(&target, Qt::LeftButton, {}, QPoint(20, 20)); break;
    case Input::RightButton: QTest::mouseClick(&target, Qt::RightButton, {}, QPoint(20, 20)); break;
    case Input::MiddleButton: QTest::mouseClick(&target, Qt::MiddleButton, {}, QPoint(20, 20)); break;
    case Input::BackButton: QTest::mouseClick(&target, Qt::BackButton, {}, QPoint(20, 20)); break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Input)

class SplashTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void hidesWhenItsTimeIsUp();
    void centred_data();
    void centred();
    void firstPressIsSwallowed_data();
    void firstPressIsSwallowed();
    void commandLine_data();
    void commandLine();
    void onlyOncePerRun();
    void ownerGoesFirst();
    void hidingRepaintsTheMainWindow();

private:
    [[nodiscard]] bool ShowOverOwner();

    Recorder* m_pOwner = nullptr;
};

void SplashTest::init()
{
    m_pOwner = new Recorder;
    m_pOwner->setGeometry(60, 40, 800, 600);
}

void SplashTest::cleanup()
{
    CSplashWindow::HideSplash();
    CSplashWindow::EnableSplash(false);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete m_pOwner;
    m_pOwner = nullptr;
}

bool SplashTest::ShowOverOwner()
{
    CSplashWindow::EnableSplash(true);
    CSplashWindow::ShowSplash(m_pOwner);
    return CSplashWindow::Current() != nullptr;
}

void SplashTest::hidesWhenItsTimeIsUp()
{
    QVERIFY(ShowOverOwner());
    const QPointer<CSplashWindow> splash = CSplashWindow::Current();
    QVERIFY(splash->isVisible());
    QCOMPARE(splash->size(), QSize(450, 322));
    QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(splash->isWindow());

    QTimer& timer = splash->HideTimer();
    QVERIFY(timer.isActive());
    QVERIFY(timer.isSingleShot());
    QCOMPARE(timer.interval(), 3000);
    QVERIFY(QMetaObject::invokeMethod(&timer, "timeout"));
    QVERIFY(!CSplashWindow::Current());
    QVERIFY(!splash->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(splash.isNull());
}

void SplashTest::centred_data()
{
    QTest::addColumn<bool>("bOwnerVisible");
    QTest::newRow("at start-up, owner hidden: on the screen") << false;
    QTest::newRow("owner visible: over the owner") << true;
}

void SplashTest::centred()
{
    QFETCH(bool, bOwnerVisible);
    if (bOwnerVisible) {
        m_pOwner->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pOwner));
    }
    QVERIFY(ShowOverOwner());
    const QRect area = bOwnerVisible ? m_pOwner->frameGeometry() : m_pOwner->screen()->availableGeometry();
    const QPoint offset = CSplashWindow::Current()->geometry().center() - area.center();
    QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QStringLiteral("off centre by %1,%2").arg(offset.x()).arg(offset.y())));
}

void SplashTest::firstPressIsSwallowed_data()
{
    QTest::addColumn<Input>("input");
    QTest::addColumn<bool>("bDismisses");

    QTest::newRow("key") << Input::Key << true;
    QTest::newRow("key from the window system") << Input::KeyFromWindowSystem << true;
    QTest::newRow("accelerator") << Input::Accelerator << true;
    QTest::newRow("accelerator from the window system") << Input::AcceleratorFromWindowSystem << true;
    QTest::newRow("left button") << Input::LeftButton << true;
    QTest::newRow("right button") << Input::RightButton << true;
    QTest::newRow("middle button") << Input::MiddleButton << true;
    QTest::newRow("back button passes") << Input::BackButton << false;
}

void SplashTest::firstPressIsSwallowed()
{
    QFETCH(Input, input);
    QFETCH(bool, bDismisses);

    m_pOwner->show();
    QVERIFY(ShowOverOwner());
    // The splash never takes the keyboard from the main window; make sure of that here too, so
    // that an accelerator can only be stopped by the splash's own filter.
    m_pOwner->activateWindow();
    m_pOwner->setFocus();
    QTRY_COMPARE(QApplication::activeWindow(), m_pOwner);

    Send(input, *m_pOwner);
    QCOMPARE(m_pOwner->m_nReceived, bDismisses ? 0 : 1);
    QCOMPARE(CSplashWindow::Current() == nullptr, bDismisses);

    if (bDismisses) {
        Send(input, *m_pOwner);
        QCOMPARE(m_pOwner->m_nReceived, 1);
    }
}

void SplashTest::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("bShown");

    QTest::newRow("plain start") << QStringList() << true;
    QTest::newRow("file to open") << QStringList{"capture.vxr"} << true;
    QTest::newRow("--embedding") << QStringList{"--embedding"} << false;
    QTest::newRow("/Embedding") << QStringList{"/Embedding"} << false;
    QTest::newRow("-automation") << QStringList{"-automation"} << false;
    QTest::newRow("/Automation") << QStringList{"/Automation"} << false;
    QTest::newRow("file, then /Embedding") << QStringList{"capture.vxr", "/Embedding"} << false;
}

void SplashTest::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, bShown);

    CSplashWindow::EnableSplash(veldran::ParseCommandLine(arguments).m_bShowSplash);
    CSplashWindow::ShowSplash(m_pOwner);
    QCOMPARE(CSplashWindow::Current() != nullptr, bShown);
}

void SplashTest::onlyOncePerRun()
{
    QVERIFY(ShowOverOwner());
    CSplashWindow* first = CSplashWindow::Current();
    CSplashWindow::ShowSplash(m_pOwner);
    QCOMPARE(CSplashWindow::Current(), first);
    QCOMPARE(m_pOwner->findChildren<CSplashWindow*>().size(), 1);

    CSplashWindow::HideSplash();
    CSplashWindow::ShowSplash(m_pOwner);
    QVERIFY(!CSplashWindow::Current());
}

void SplashTest::ownerGoesFirst()
{
    QVERIFY(ShowOverOwner());
    delete m_pOwner;
    m_pOwner = nullptr;
    QVERIFY(!CSplashWindow::Current());

    // Input afterwards goes its normal way.
    Recorder other;
    QTest::keyClick(&other, Qt::Key_A);
    QCOMPARE(other.m_nReceived, 1);
}

void SplashTest::hidingRepaintsTheMainWindow()
{
    m_pOwner->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pOwner));
    QVERIFY(ShowOverOwner());
    const int nPaints = m_pOwner->m_nPaints;
    CSplashWindow::HideSplash();
    QVERIFY(m_pOwner->m_nPaints > nPaints);
}

// The program's application object, so that input passes through its pre-translation.
int main(int argc, char** argv)
{
    veldran::CVELDRANApp app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    SplashTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "splash_test.moc"

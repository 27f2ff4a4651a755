// Moving over the traces: the edge jumps and their notes, the cursor keys at the ends of the
// capture, the wheel and Ctrl+wheel, dragging the cursor lines, and selecting a channel by a click.

#include "CaptureFixture.h"
#include "ViewProbe.h"
#include "tests/common/MessageRecorder.h"

#include "resources/Ids.h"
#include "resources/Message.h"
#include "view/VeldranView.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

using namespace veldran;
using namespace veldran::test;

namespace {

// Channel 5 changes at 40, 120 and 200; channel 3 once, at 250; channel 20 (another cell) at 10.
int EdgeLevel(int sample, int channel)
{
    switch (channel) {
    case 5: return (sample >= 40 && sample < 120) || sample >= 200 ? 1 : 0;
    case 3: return sample >= 250 ? 1 : 0;
    case 20: return sample >= 10 ? 1 : 0;
    default: return 0;
    }
}

constexpr int kCount = 300;

} // namespace

class TraceNavigationTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MessageRecorder> m_messages;
    std::unique_ptr<CCaptureSession> m_session;
    std::unique_ptr<CVELDRANView> m_view;
    std::vector<std::string> m_notes;

    QWidget& Form() const { return *m_view->Form(); }
    const CTraceStatic& Trace(int k) const { return m_view->Trace(k); }
    int X() const { return m_session->XCursor(); }
    int Y() const { return m_session->YCursor(); }
    int Start() const { return Trace(0).m_nStart; }
    int ShownSize() const { return Trace(0).m_nEnd - Trace(0).m_nStart; }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&Form(), static_cast<Qt::Key>(key), modifiers);
    }
    // The middle of sample s in the form, as the traces show it now.
    int PixelOf(int s) const
    {
        return 85 + static_cast<int>((s - Start() + 0.5) * Trace(0).m_fPixelsPerSample);
    }
    int RowOf(int k) const { return Trace(k).geometry().center().y(); }
    void Mouse(QEvent::Type type, const QPoint& at, Qt::MouseButtons held)
    {
        QMouseEvent event(type, at, Form().mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          held, Qt::NoModifier);
        QApplication::sendEvent(&Form(), &event);
    }
    void Wheel(const QPoint& at, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWheelEvent event(at, Form().mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&Form(), &event);
    }

private slots:
    void init()
    {
        m_messages = std::make_unique<MessageRecorder>();
        m_session = std::make_unique<CCaptureSession>();
        m_view = std::make_unique<CVELDRANView>(*m_session);
        m_view->resize(1200, 700);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        CursorsSeen::s_nLastX = 0;
        CursorsSeen::s_nLastY = 0;
        LoadCapture(m_session->Document(), kCount, EdgeLevel);
        m_session->OpenCapture();
        QCoreApplication::processEvents(); // the traces get their scale at their first paint
        m_notes.clear();
        connect(m_session.get(), &CCaptureSession::noteAnnounced, this,
                [this](const Message& note) { m_notes.push_back(SourceText(note)); });
        m_view->activateWindow();
        Form().setFocus();
        QVERIFY(QTest::qWaitForWindowActive(m_view.get()));
        QVERIFY(Form().hasFocus());
    }

    void cleanup()
    {
        m_view.reset();
        m_session.reset();
        m_messages.reset();
    }

    // Both cursors moved at once by another part of the program stay where they were put.
    void bothCursorsMovedAtOnceKeepTheirPlaces()
    {
        m_session->SetCursors(12, 30);
        QCOMPARE(m_session->XCursor(), 12);
        QCOMPARE(m_session->YCursor(), 30);
        QCOMPARE(int(EditX(*m_view).GetValue()), 12);
        m_session->SetCursors(40, 3);
        QCOMPARE(m_session->XCursor(), 40);
        QCOMPARE(m_session->YCursor(), 3);
    }

    void edgeJumpsOnTheSelectedChannelAndTheWindowFollows()
    {
        m_session->SelectChannel(5);
        Key(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(X(), 40);
        Key(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(X(), 120);
        QVERIFY(Trace(0).IsInWindow(120));
        QCOMPARE(ShownSize(), 16);
        Key(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(X(), 200);
        // No edge after the last one: the cursor stays and the note names the channel.
        Key(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(X(), 200);
        QCOMPARE(m_notes, std::vector<std::string>{"D5: 샘플 200 이후에 에지가 없습니다"});
        Key(Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(X(), 120);
        // Strictly before: from an edge the jump goes to the one before it.
        Key(Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(X(), 40);
        Key(Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(X(), 40);
        QCOMPARE(m_notes.back(), std::string("D5: 샘플 40 이전에 에지가 없습니다"));
        QCOMPARE(Y(), 0);
    }

    void shiftJumpsOnAnyChannelOfTheCellShown()
    {
        m_session->SelectChannel(5);
        m_session->SetCursors(200, 0);
        Key(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(X(), 250); // channel 3's edge
        Key(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(X(), 250);
        QCOMPARE(m_notes, std::vector<std::string>{"D0-D15: 샘플 250 이후에 에지가 없습니다"});
        // Channel 20's edge at 10 is not of the cell shown, and is one of the next.
        m_session->SetCursors(30, 0);
        Key(Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(X(), 30);
        m_session->SetCell(1);
        Key(Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(X(), 10);
    }

    void theActiveCursorIsTheOneMovedLastAndSpaceSwitches()
    {
        QCOMPARE(m_session->ActiveCursor(), CCaptureSession::ECursor::X);
        SetCursors(*m_view, 150, 0);
        SetCursors(*m_view, 150, 30); // Y moved last
        QCOMPARE(m_session->ActiveCursor(), CCaptureSession::ECursor::Y);
        m_session->SelectChannel(5);
        Key(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(Y(), 40);
        QCOMPARE(X(), 150);
        // The window comes to Y, keeping its size.
        QVERIFY(Trace(0).IsInWindow(40));
        QCOMPARE(ShownSize(), 16);
        Key(Qt::Key_Space);
        QCOMPARE(m_session->ActiveCursor(), CCaptureSession::ECursor::X);
        Key(Qt::Key_Left);
        QCOMPARE(X(), 149);
        QCOMPARE(Y(), 40);
        // A search that moved a cursor out of the window asks for it to be shown.
        m_session->RevealSample(250);
        QVERIFY(Trace(0).IsInWindow(250));
        QCOMPARE(ShownSize(), 16);
    }

    void cursorKeysStopAtTheEnds()
    {
        Key(Qt::Key_Left);
        QCOMPARE(X(), 0);
        Key(Qt::Key_Right);
        QCOMPARE(X(), 1);
        Key(Qt::Key_PageDown);
        QCOMPARE(X(), 17);
        Key(Qt::Key_End);
        QCOMPARE(X(), kCount - 1);
        QVERIFY(Trace(0).IsInWindow(kCount - 1));
        Key(Qt::Key_Right);
        Key(Qt::Key_PageDown);
        QCOMPARE(X(), kCount - 1);
        Key(Qt::Key_PageUp);
        QCOMPARE(X(), kCount - 1 - 16);
        Key(Qt::Key_Home);
        QCOMPARE(X(), 0);
        Key(Qt::Key_PageUp);
        QCOMPARE(X(), 0);
        QCOMPARE(Start(), 0);
        // Alt+Up / Alt+Down step the selected channel through the cell, no further.
        Key(Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(m_session->SelectedChannel(), 0);
        Key(Qt::Key_Down, Qt::AltModifier);
        Key(Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(m_session->SelectedChannel(), 2);
        QVERIFY(Trace(2).IsSelected());
        QVERIFY(!Trace(0).IsSelected());
        // A cursor field keeps its keys: what it leaves alone does not move the cursors.
        QWidget* edit = m_view->GetDlgItem(ids::kEditX);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_PageDown);
        QTest::keyClick(edit, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(X(), 0);
    }

    void wheelScrollsAndCtrlWheelZoomsAroundThePointer()
    {
        m_session->SetWindow(256);
        SetCursors(*m_view, 150, 0);
        QCOMPARE(ShownSize(), 256);
        const int start = Start();
        const QPoint over(PixelOf(start + 100), RowOf(4));
        Wheel(over, -60); // down: later samples, a tenth of the window; a finer wheel too
        QCOMPARE(Start(), std::min(start + 25, kCount - 256));
        const int down = Start();
        Wheel(over, 120);
        QCOMPARE(Start(), down - 25);
        Wheel(over, 240);
        QCOMPARE(Start(), 0); // no further than the first sample
        QCOMPARE(ShownSize(), 256);
        QCOMPARE(X(), 150); // scrolling leaves the cursors alone

        m_session->SetWindow(64);
        SetCursors(*m_view, 200, 0);
        const int pointerX = PixelOf(Start() + 40);
        const auto under = [this, pointerX] { return Start() + (pointerX - 85) / Trace(0).m_fPixelsPerSample; };
        const double before = under();
        Wheel(QPoint(pointerX, RowOf(0)), 120, Qt::ControlModifier);
        QCOMPARE(m_session->Window(), 16);
        QCOMPARE(ShownSize(), 16);
        QVERIFY2(std::abs(under() - before) < 1.0, qPrintable(QString::number(under() - before)));
        Wheel(QPoint(pointerX, RowOf(0)), 120, Qt::ControlModifier); // none smaller
        QCOMPARE(m_session->Window(), 16);
        Wheel(QPoint(pointerX, RowOf(0)), -120, Qt::ControlModifier);
        QCOMPARE(m_session->Window(), 64);
        QVERIFY(std::abs(under() - before) <= 1.0);
    }

    void theCursorLinesAreDragged()
    {
        SetCursors(*m_view, 100, 0);
        SetCursors(*m_view, 100, 104);
        m_session->SetActiveCursor(CCaptureSession::ECursor::X);
        const int row = RowOf(6);
        const QPoint onY(m_view->GetDlgItem(ids::kYCursorLine)->x(), row);
        Mouse(QEvent::MouseButtonPress, onY, Qt::LeftButton);
        Mouse(QEvent::MouseMove, QPoint(PixelOf(97), row), Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, QPoint(PixelOf(97), row), Qt::NoButton);
        QCOMPARE(Y(), 97);
        QCOMPARE(X(), 100);
        QCOMPARE(m_session->ActiveCursor(), CCaptureSession::ECursor::Y);
        // X follows a press on the diagram and the drag after it.
        Mouse(QEvent::MouseButtonPress, QPoint(PixelOf(95), row), Qt::LeftButton);
        QCOMPARE(X(), 95);
        Mouse(QEvent::MouseMove, QPoint(PixelOf(99), row), Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, QPoint(PixelOf(99), row), Qt::NoButton);
        QCOMPARE(X(), 99);
        QCOMPARE(Y(), 97);
        // A move without the button moves nothing.
        Mouse(QEvent::MouseMove, QPoint(PixelOf(93), row), Qt::NoButton);
        QCOMPARE(X(), 99);
    }

    void aClickOnADiagramSelectsItsChannel()
    {
        // Nothing is marked before the user picks a channel: the form looks as it always did.
        for (int k = 0; k < 16; ++k)
            QVERIFY(!Trace(k).IsSelected());
        QTest::mouseClick(&Form(), Qt::LeftButton, {}, QPoint(PixelOf(5), RowOf(7)));
        QCOMPARE(m_session->SelectedChannel(), 7);
        QVERIFY(Trace(7).IsSelected());
        QCOMPARE(X(), 5); // the click still puts X under the pointer
        m_session->SetCell(1);
        QVERIFY(!Trace(7).IsSelected());
        QTest::mouseClick(&Form(), Qt::LeftButton, {}, QPoint(PixelOf(3), RowOf(2)));
        QCOMPARE(m_session->SelectedChannel(), 18);
        QVERIFY(Trace(2).IsSelected());
        // A click on a name is the form's as before: it selects nothing.
        QTest::mouseClick(&Form(), Qt::LeftButton, {}, QPoint(Trace(9).x() + 20, RowOf(9)));
        QCOMPARE(m_session->SelectedChannel(), 18);
    }
};

QTEST_MAIN(TraceNavigationTest)
#include "TraceNavigationTest.moc"

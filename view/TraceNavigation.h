#pragma once
// Moving over the traces with the keyboard and the mouse. A click on a trace's diagram selects its
// channel (its name is left to the form); Alt+Up / Alt+Down step the selection through the cell
// shown. The active cursor is the one moved last; Space switches. While the traces have the
// focus, Left / Right move it by a sample, Page Up / Page Down by a window, Home / End to the ends,
// and Ctrl+Left / Ctrl+Right to the previous / next edge of the selected channel (with Shift, of
// any channel of the cell shown). Over the traces the wheel scrolls the window by a tenth of its
// width, Ctrl+wheel steps through the zoom windows keeping the sample under the pointer in place,
// and the cursor lines are dragged with the left button. The window follows a cursor moved out
// of it, keeping its size.

#include "session/CaptureSession.h"

#include <QObject>
#include <QPoint>

#include <optional>

class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

namespace veldran {

class CVELDRANView;

class CTraceNavigation : public QObject {
    Q_OBJECT
public:
    CTraceNavigation(CVELDRANView& view, CCaptureSession& session, QWidget& form);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using ECursor = CCaptureSession::ECursor;

    bool OnKey(const QKeyEvent& key);
    bool OnPress(const QMouseEvent& mouse);
    bool OnDrag(const QMouseEvent& mouse);
    bool OnWheel(const QWheelEvent& wheel);
    void StepSelectedChannel(int step);
    void JumpToEdge(bool bForward, bool bAnyChannel);
    // Moves the active cursor (or the one given) to sample, clamped to the capture, and brings it
    // into the window.
    void MoveCursor(ECursor cursor, int sample);
    // Shows the window around a sample that lies outside it, keeping its size.
    void Reveal(int sample);
    // Shows the window of its present size from start on, kept inside the capture.
    void ShowWindowFrom(int start);
    // The cursor moved last becomes the active one.
    void OnCursorsMoved();
    void MarkSelectedTrace();

    // The trace (0..15) whose diagram holds point, a point of the form; none over the names.
    [[nodiscard]] std::optional<int> TraceAt(const QPoint& point) const;
    // The sample under x of the form, as a click on the traces reads it.
    [[nodiscard]] double SampleAt(int x) const;
    [[nodiscard]] bool IsNearLine(int id, const QPoint& point) const;

    CVELDRANView& m_view;
    CCaptureSession& m_session;
    QWidget& m_form;
    std::optional<ECursor> m_drag;
    int m_nSeenX = 0;
    int m_nSeenY = 0;
    // The selected trace is marked once the user has picked a channel: until then the form (and a
    // snapshot of it) looks as it always did.
    bool m_bChannelPicked = false;
};

} // namespace veldran

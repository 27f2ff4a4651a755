#include "view/TraceNavigation.h"

#include "analysis/Edges.h"
#include "resources/Ids.h"
#include "resources/Message.h"
#include "session/ZoomWindow.h"
#include "view/VeldranView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <string>

namespace veldran {
namespace {

// A click on the traces reads its sample from here (the trace area, as the form places it).
constexpr int kClickOrigin = 85;
// How near a cursor line a press must be to take hold of it.
constexpr int kGrabPixels = 3;
// One notch of a common mouse wheel.
constexpr int kWheelNotch = 120;

std::string ChannelText(int channel)
{
    return "D" + std::to_string(channel);
}

// The channels of a cell, as the message names them: "D16-D31".
std::string CellText(int cell)
{
    return ChannelText(cell * kChannelsPerCell) + "-" + ChannelText(cell * kChannelsPerCell + kChannelsPerCell - 1);
}

} // namespace

CTraceNavigation::CTraceNavigation(CVELDRANView& view, CCaptureSession& session, QWidget& form)
    : m_view(view)
    , m_session(session)
    , m_form(form)
{
    // A click on the form gives the traces the keyboard; its own fields keep theirs.
    m_form.setFocusPolicy(Qt::ClickFocus);
    m_form.installEventFilter(this);
    const auto resync = [this] {
        m_nSeenX = m_session.XCursor();
        m_nSeenY = m_session.YCursor();
    };
    connect(&m_session, &CCaptureSession::cursorsMoved, this, &CTraceNavigation::OnCursorsMoved);
    connect(&m_session, &CCaptureSession::sampleRevealRequested, this, &CTraceNavigation::Reveal);
    connect(&m_session, &CCaptureSession::captureOpened, this, resync);
    connect(&m_session, &CCaptureSession::captureCleared, this, resync);
    connect(&m_session, &CCaptureSession::selectedChannelChanged, this, [this] {
        m_bChannelPicked = true;
        MarkSelectedTrace();
    });
    connect(&m_session, &CCaptureSession::cellChanged, this, &CTraceNavigation::MarkSelectedTrace);
    resync();
    MarkSelectedTrace();
}

bool CTraceNavigation::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_form)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        // A key a field of the form left alone comes up to the form: only the form's own counts.
        return m_form.hasFocus() && OnKey(*static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
        return OnPress(*static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
        return OnDrag(*static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease: {
        const bool held = m_drag == ECursor::Y;
        m_drag.reset();
        return held;
    }
    case QEvent::Wheel:
        return OnWheel(*static_cast<QWheelEvent*>(event));
    default:
        return false;
    }
}

bool CTraceNavigation::OnKey(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    const int sample = m_session.ActiveCursorSample();
    const int window = m_session.Window();
    const ECursor active = m_session.ActiveCursor();
    const bool plain = modifiers == Qt::NoModifier;
    switch (key.key()) {
    case Qt::Key_Space:
        if (!plain)
            return false;
        m_session.SetActiveCursor(active == ECursor::X ? ECursor::Y : ECursor::X);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (modifiers != Qt::AltModifier)
            return false;
        StepSelectedChannel(key.key() == Qt::Key_Down ? 1 : -1);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const bool forward = key.key() == Qt::Key_Right;
        if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
            JumpToEdge(forward, modifiers.testFlag(Qt::ShiftModifier));
        else if (plain)
            MoveCursor(active, sample + (forward ? 1 : -1));
        else
            return false;
        return true;
    }
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (!plain)
            return false;
        MoveCursor(active, sample + (key.key() == Qt::Key_PageDown ? window : -window));
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (!plain)
            return false;
        MoveCursor(active, key.key() == Qt::Key_End ? m_session.SampleCount() - 1 : 0);
        return true;
    default:
        return false;
    }
}

bool CTraceNavigation::OnPress(const QMouseEvent& mouse)
{
    const QPoint point = mouse.position().toPoint();
    const std::optional<int> trace = mouse.button() == Qt::LeftButton ? TraceAt(point) : std::nullopt;
    if (!trace)
        return false;
    m_bChannelPicked = true;
    m_session.SelectChannel(m_session.Cell() * kChannelsPerCell + *trace);
    MarkSelectedTrace();
    // On the Y line the press takes hold of it; anywhere else it is the form's click, which puts
    // X under the pointer, and the drag that follows moves X.
    if (IsNearLine(ids::kYCursorLine, point) &&
        (!IsNearLine(ids::kXCursorLine, point) || m_session.ActiveCursor() == ECursor::Y)) {
        m_drag = ECursor::Y;
        m_session.SetActiveCursor(ECursor::Y);
        return true;
    }
    m_drag = ECursor::X;
    return false;
}

bool CTraceNavigation::OnDrag(const QMouseEvent& mouse)
{
    if (!m_drag || !(mouse.buttons() & Qt::LeftButton))
        return false;
    // The line stays over the window shown: a drag past its edges does not scroll.
    const CTraceStatic& trace = m_view.Trace(0);
    const int sample = static_cast<int>(std::floor(SampleAt(mouse.position().toPoint().x())));
    MoveCursor(*m_drag, std::clamp(sample, trace.m_nStart, std::max(trace.m_nStart, trace.m_nEnd - 1)));
    return true;
}

bool CTraceNavigation::OnWheel(const QWheelEvent& wheel)
{
    const QPoint point = wheel.position().toPoint();
    const int delta = wheel.angleDelta().y();
    if (!TraceAt(point) || delta == 0)
        return false;
    const CTraceStatic& trace = m_view.Trace(0);
    const int window = m_session.Window();
    if (wheel.modifiers().testFlag(Qt::ControlModifier)) {
        // Up magnifies: the next smaller window, drawn so the sample under the pointer stays there.
        const int next = delta > 0 ? ExpandedWindow(window) : ContractedWindow(window);
        if (next == 0)
            return true;
        const double pointed = SampleAt(point.x());
        const double fraction = (pointed - trace.m_nStart) / window;
        m_session.SetWindow(next);
        ShowWindowFrom(static_cast<int>(std::lround(pointed - fraction * next)));
        return true;
    }
    // Down shows later samples; a notch moves a tenth of the window, a finer wheel at least one.
    const int step = std::max(1, window / 10);
    const int notches = delta / kWheelNotch != 0 ? delta / kWheelNotch : (delta > 0 ? 1 : -1);
    ShowWindowFrom(trace.m_nStart - notches * step);
    return true;
}

void CTraceNavigation::StepSelectedChannel(int step)
{
    const int first = m_session.Cell() * kChannelsPerCell;
    const int inCell = m_session.SelectedChannel() - first;
    // A channel of another cell steps into this one from its nearer end.
    const int next = inCell >= 0 && inCell < kChannelsPerCell ? inCell + step : (step > 0 ? 0 : kChannelsPerCell - 1);
    m_bChannelPicked = true;
    m_session.SelectChannel(first + std::clamp(next, 0, kChannelsPerCell - 1));
    MarkSelectedTrace();
}

void CTraceNavigation::JumpToEdge(bool bForward, bool bAnyChannel)
{
    const SampleStore store = m_session.Store();
    if (store.nCount == 0)
        return;
    const int cell = m_session.Cell();
    const int channel = m_session.SelectedChannel();
    const uint64_t channels =
        bAnyChannel ? (ChannelBit(kChannelsPerCell) - 1) << (cell * kChannelsPerCell) : ChannelBit(channel);
    const int from = m_session.ActiveCursorSample();
    const std::optional<int64_t> edge = bForward ? NextEdge(store, channels, from) : PreviousEdge(store, channels, from);
    if (edge) {
        MoveCursor(m_session.ActiveCursor(), static_cast<int>(*edge));
        return;
    }
    m_session.AnnounceNote(Message(bForward ? text::kNoEdgeAfter : text::kNoEdgeBefore,
                                   {bAnyChannel ? CellText(cell) : ChannelText(channel), MessageNumber(from)},
                                   MessageIcon::None));
}

void CTraceNavigation::MoveCursor(ECursor cursor, int sample)
{
    const int count = m_session.SampleCount();
    if (!m_session.HasCapture() || count <= 0)
        return;
    sample = std::clamp(sample, 0, count - 1);
    if (cursor == ECursor::X)
        m_session.SetCursors(sample, m_session.YCursor());
    else
        m_session.SetCursors(m_session.XCursor(), sample);
    m_session.SetActiveCursor(cursor);
    Reveal(sample);
}

void CTraceNavigation::Reveal(int sample)
{
    const CTraceStatic& trace = m_view.Trace(0);
    if (m_session.HasCapture() && !trace.IsInWindow(sample))
        ShowWindowFrom(PlaceWindow(sample, m_session.Window(), trace.SampleCount(), m_session.SampleCount()).start);
}

void CTraceNavigation::ShowWindowFrom(int start)
{
    const int window = m_session.Window();
    start = std::clamp(start, 0, std::max(0, m_session.SampleCount() - window));
    for (int k = 0; k < kChannelsPerCell; ++k) {
        m_view.Trace(k).SetWindow(window, m_session.XCursor(), start, start + window);
        m_view.Trace(k).update();
    }
    m_view.UpdatePositionBar();
    m_view.UpdateCursorMarkers();
    m_form.update();
}

void CTraceNavigation::OnCursorsMoved()
{
    const bool movedX = m_session.XCursor() != m_nSeenX;
    const bool movedY = m_session.YCursor() != m_nSeenY;
    m_nSeenX = m_session.XCursor();
    m_nSeenY = m_session.YCursor();
    if (movedX != movedY)
        m_session.SetActiveCursor(movedX ? ECursor::X : ECursor::Y);
}

void CTraceNavigation::MarkSelectedTrace()
{
    const int first = m_session.Cell() * kChannelsPerCell;
    for (int k = 0; k < kChannelsPerCell; ++k)
        m_view.Trace(k).SetSelected(m_bChannelPicked && first + k == m_session.SelectedChannel());
}

std::optional<int> CTraceNavigation::TraceAt(const QPoint& point) const
{
    for (int k = 0; k < kChannelsPerCell; ++k) {
        const CTraceStatic& trace = m_view.Trace(k);
        if (trace.LaidOutTraceArea().translated(trace.pos()).contains(point))
            return k;
    }
    return std::nullopt;
}

double CTraceNavigation::SampleAt(int x) const
{
    const CTraceStatic& trace = m_view.Trace(0);
    const float pixels = trace.m_fPixelsPerSample > 0.0f ? trace.m_fPixelsPerSample : trace.LaidOutPixelsPerSample();
    return pixels > 0.0f ? trace.m_nStart + (x - kClickOrigin) / static_cast<double>(pixels) : trace.m_nStart;
}

bool CTraceNavigation::IsNearLine(int id, const QPoint& point) const
{
    const QWidget* line = m_view.GetDlgItem(id);
    return line && !line->isHidden() && std::abs(point.x() - line->x()) <= kGrabPixels;
}

} // namespace veldran

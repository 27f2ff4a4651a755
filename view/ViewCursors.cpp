// Cursors and measurement of the timing-diagram view: the X and Y cursor entries, the cursor lines
// and labels over the traces, the cell values at the X cursor and the X − Y distance.

#include "controls/CNumEdit.h"
#include "controls/CNumSpinCtrl.h"
#include "view/FormWidget.h"
#include "view/ReadoutTexts.h"
#include "view/VeldranView.h"
#include "session/ZoomWindow.h"

#include <QLineEdit>

#include <algorithm>

namespace veldran {
namespace {

constexpr int kClickOrigin = 85;
constexpr int kCursorLabelWidth = 55;
// Where the markers are parked before the first cursor update, out of sight.
constexpr int kUnplacedPixel = -100;

} // namespace

void CVELDRANView::OnCursorEdited()
{
    m_session.SetCursors(static_cast<int>(m_editX->GetValue()), static_cast<int>(m_editY->GetValue()));
    UpdateCursors();
}

// Another part of the program moved the cursors: the entries follow, and they update the rest.
void CVELDRANView::OnCursorsMoved()
{
    // Both are read first: the Y entry, once set, writes its pair back with the X entry as it still
    // is, and the X entry then puts X where it was asked to be.
    const int x = m_session.XCursor();
    const int y = m_session.YCursor();
    if (static_cast<int>(m_editY->GetValue()) != y)
        m_spinY->SetPos(static_cast<float>(y));
    if (static_cast<int>(m_editX->GetValue()) != x)
        m_spinX->SetPos(static_cast<float>(x));
}

void CVELDRANView::PlaceTraceWindow()
{
    const int window = m_session.Window();
    const int x = m_session.XCursor();
    const SampleWindow placed = PlaceWindow(x, window, Trace(0).SampleCount(), m_session.SampleCount());
    for (CTraceStatic* trace : m_traces) {
        trace->SetWindow(window, x, placed.start, placed.end);
        trace->update();
    }
}

void CVELDRANView::UpdateCursors()
{
    m_markers->Raise();
    const int x = m_session.XCursor();
    const int y = m_session.YCursor();
    const int n = Trace(0).SampleCount();
    if (CursorsSeen::s_nLastX == 0 && x == 0 && CursorsSeen::s_nLastY == 0 && y == 0)
        return;
    if (CursorsSeen::s_nLastY == n - 1 && y == n - 1 && CursorsSeen::s_nLastX == n - 1 && x == n - 1)
        return;
    UpdateMeasurement();
    CursorsSeen::s_nLastX = x;
    CursorsSeen::s_nLastY = y;
    if (m_session.HasCapture())
        m_session.SetValueText({nullptr, m_session.CellWordsAt(x)});
    WriteStrings();
    FollowXCursor();
}

void CVELDRANView::FollowXCursor()
{
    if (!Trace(0).IsInWindow(m_session.XCursor())) {
        PlaceTraceWindow();
        UpdatePositionBar();
        m_form->update();
    }
    m_bCursorsPlaced = true;
    UpdateCursorMarkers();
}

// The markers are placed from the traces as they are laid out now, not as they were last painted:
// a capture opened before the window's first layout gets its lines where the traces will be drawn.
void CVELDRANView::UpdateCursorMarkers()
{
    const int x = static_cast<int>(m_spinX->GetPos());
    const int y = static_cast<int>(m_spinY->GetPos());
    const CTraceStatic& trace = Trace(0);
    CursorMarkers::Placement placement;
    placement.xIndex = m_session.XCursor();
    placement.yIndex = m_session.YCursor();
    placement.xPixel = kUnplacedPixel;
    placement.yPixel = kUnplacedPixel;
    if (m_bCursorsPlaced) {
        const QRect area = trace.LaidOutTraceArea().translated(trace.pos());
        const auto pixel = [&](int index) {
            const int at = trace.SampleLineX(index);
            return at < 0 ? trace.SampleLineX(trace.m_nMiddle) : at;
        };
        placement.xPixel = pixel(placement.xIndex);
        placement.yPixel = pixel(placement.yIndex);
        placement.areaLeft = area.left();
        placement.areaRight = area.right();
    }
    placement.yShown = trace.IsInWindow(placement.yIndex);
    placement.xShown = !m_bCursorsPlaced || trace.IsInWindow(placement.xIndex);
    placement.xText = XCursorText(x);
    placement.yText = YCursorText(x, y);
    // 55 pixels centred on the line, wider where the font needs it for the largest sample.
    placement.labelWidth = std::max(kCursorLabelWidth, m_nCursorLabelWidth);
    placement.infoTop = m_nInfoTop;
    m_markers->Place(placement);
}

void CVELDRANView::UpdateMeasurement()
{
    m_strXYDistance =
        DistanceText(static_cast<double>(m_editX->GetValue()) - m_editY->GetValue(), m_session.ClockPeriod());
    WriteStrings();
}

void CVELDRANView::OnLButtonDown(const QPoint& point)
{
    const CTraceStatic& trace = Trace(0);
    // Before the first paint the traces have no scale yet; such a click selects nothing.
    if (trace.m_fPixelsPerSample > 0.0f) {
        const int index = trace.m_nStart + static_cast<int>((point.x() - kClickOrigin) / trace.m_fPixelsPerSample);
        m_spinX->SetPos(static_cast<float>(index));
    }
    UpdateCursors();
}

} // namespace veldran

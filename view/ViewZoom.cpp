// Zoom windows and the position bar of the timing-diagram view.

#include "controls/CNumSpinCtrl.h"
#include "view/FormWidget.h"
#include "view/ReadoutTexts.h"
#include "view/VeldranView.h"
#include "view/ZoomWindow.h"

#include <QLabel>
#include <QPainter>
#include <QScrollBar>

namespace veldran {

void CVELDRANView::ApplyWindowToTraces(int cursor, int start, int end)
{
    for (int k = 0; k < 16; ++k) {
        Trace(k).SetWindow(m_nWindow, cursor, start, end);
        Trace(k).update();
    }
}

void CVELDRANView::OnExpand()
{
    if (const int window = ExpandedWindow(m_nWindow); window != 0)
        ApplyZoom(window);
}

void CVELDRANView::OnContract()
{
    if (const int window = ContractedWindow(m_nWindow); window != 0)
        ApplyZoom(window);
}

void CVELDRANView::ApplyZoom(int window)
{
    m_nWindow = window;
    m_strWindow = WindowText(window);
    m_nXIndex = CursorX();
    m_nYIndex = CursorY();
    const SampleWindow placed = PlaceWindow(m_nXIndex, m_nWindow, Trace(0).SampleCount(), m_nSampleCount);
    ApplyWindowToTraces(m_nXIndex, placed.start, placed.end);
    UpdatePositionBar();
    UpdateCursors();
    m_form->update();
}

void CVELDRANView::OnHScroll(int position)
{
    // A mark shows where the form is being scrolled to, drawn with the next paint.
    const unsigned width = static_cast<unsigned>(m_form->width());
    m_nScrollMark = static_cast<int>(width * (static_cast<unsigned>(position) + 1u) / 100u);
    m_form->update();
}

CVELDRANView::PositionBarValues CVELDRANView::PositionBar() const
{
    const int total = m_nSampleCount != 0 ? m_nSampleCount : 1;
    const CTraceStatic& trace = Trace(0);
    int last = trace.m_nEnd - 1;
    if (last > total - 1)
        last = total - 1;
    return {trace.m_nStart, last, total};
}

void CVELDRANView::UpdatePositionBar()
{
    const PositionBarValues bar = PositionBar();
    m_strLeftPos = PositionText(bar.first, bar.total - 1);
    m_strRightPos = PositionText(bar.last, bar.total - 1);
    WriteStrings();
    // Another capture may need wider readouts, or leave room to spare.
    FitReadouts();
    // The strip itself is drawn with the form at its next paint.
    m_form->update();
}

QRect CVELDRANView::PositionStripRect() const
{
    return QRect(m_nStripLeft, m_nStripTop, m_nStripRight - m_nStripLeft, 10);
}

void CVELDRANView::DrawPositionBar(QPainter& painter)
{
    // The counters are written from the very values the strip is drawn from, whatever changed
    // the sample count or the window since they were last written.
    const PositionBarValues bar = PositionBar();
    const QString leftText = PositionText(bar.first, bar.total - 1);
    const QString rightText = PositionText(bar.last, bar.total - 1);
    if (leftText != m_strLeftPos || rightText != m_strRightPos) {
        m_strLeftPos = leftText;
        m_strRightPos = rightText;
        m_leftPos->setText(leftText);
        m_rightPos->setText(rightText);
        // The count changed behind the view's back (a reception under way or cancelled): the
        // counters are measured again once the paint is over.
        QMetaObject::invokeMethod(this, &CVELDRANView::FitReadouts, Qt::QueuedConnection);
    }
    const int total = bar.total;
    const int last = bar.last;
    const QRect strip = PositionStripRect();
    const int y0 = strip.top();
    const int stripLeft = strip.left();
    const int right = m_nStripRight;
    const long long sw = right - stripLeft;

    painter.save();
    QPen pen(Qt::black, 0);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.setBrush(Qt::white);
    // Rectangles cover left..right−1 and top..bottom−1, as the figures are given.
    const auto box = [&painter](long long l, long long t, long long r, long long b) {
        if (r > l && b > t)
            painter.drawRect(QRect(int(l), int(t), int(r - l - 1), int(b - t - 1)));
    };
    box(stripLeft, y0, right, y0 + 10);
    box(stripLeft + sw * bar.first / total + 2, y0 + 2, stripLeft + sw * (last + 1) / total - 2, y0 + 8);
    if (m_nScrollMark >= 0) {
        box(m_nScrollMark - 1, 10, m_nScrollMark + 1, m_form->height() - 50);
        m_nScrollMark = -1;
    }
    painter.restore();
}

} // namespace veldran

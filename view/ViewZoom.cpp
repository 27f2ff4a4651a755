// Zoom windows and the position bar of the timing-diagram view.

#include "controls/CNumSpinCtrl.h"
#include "view/FormLayout.h"
#include "view/FormWidget.h"
#include "view/VeldranView.h"
#include "view/ZoomWindow.h"

#include <QPainter>
#include <QScrollBar>

namespace veldran {
namespace {

QString WindowText(int window)
{
    return QStringLiteral("WINDOW : %1").arg(window);
}

} // namespace

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

void CVELDRANView::UpdatePositionBar()
{
    const int total = m_nSampleCount != 0 ? m_nSampleCount : 1;
    const CTraceStatic& trace = Trace(0);
    int last = trace.m_nEnd - 1;
    if (last > total - 1)
        last = total - 1;
    m_strLeftPos = QString::asprintf("(%04d/%04d)", trace.m_nStart, total - 1);
    m_strRightPos = QString::asprintf("(%04d/%04d)", last, total - 1);
    WriteStrings();
    // The strip itself is drawn with the form at its next paint.
    m_form->update();
}

void CVELDRANView::DrawPositionBar(QPainter& painter)
{
    const int total = m_nSampleCount != 0 ? m_nSampleCount : 1;
    const CTraceStatic& trace = Trace(0);
    int last = trace.m_nEnd - 1;
    if (last > total - 1)
        last = total - 1;
    const int w = m_form->width();
    const int y0 = 16 * FormRowHeight(m_form->height()) + 16;
    const int right = w - 88;
    const long long sw = right - 160;

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
    box(160, y0, right, y0 + 10);
    box(160 + sw * trace.m_nStart / total + 2, y0 + 2, 160 + sw * (last + 1) / total - 2, y0 + 8);
    if (m_nScrollMark >= 0) {
        box(m_nScrollMark - 1, 10, m_nScrollMark + 1, m_form->height() - 50);
        m_nScrollMark = -1;
    }
    painter.restore();
}

} // namespace veldran

#include "view/PositionStrip.h"

#include <QPainter>
#include <QPen>

namespace veldran {

PositionStrip::Values PositionStrip::Of(int windowStart, int windowEnd, int sampleCount)
{
    const int total = sampleCount != 0 ? sampleCount : 1;
    int last = windowEnd - 1;
    if (last > total - 1)
        last = total - 1;
    return {windowStart, last, total};
}

void PositionStrip::SetPlace(int left, int top, int right)
{
    m_nStripLeft = left;
    m_nStripTop = top;
    m_nStripRight = right;
}

QRect PositionStrip::Rect() const
{
    return QRect(m_nStripLeft, m_nStripTop, m_nStripRight - m_nStripLeft, 10);
}

void PositionStrip::Draw(QPainter& painter, const Values& values, int formHeight)
{
    const int total = values.total;
    const int y0 = m_nStripTop;
    const int stripLeft = m_nStripLeft;
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
    box(stripLeft + sw * values.first / total + 2, y0 + 2, stripLeft + sw * (values.last + 1) / total - 2, y0 + 8);
    if (m_nScrollMark >= 0) {
        box(m_nScrollMark - 1, 10, m_nScrollMark + 1, formHeight - 50);
        m_nScrollMark = -1;
    }
    painter.restore();
}

} // namespace veldran

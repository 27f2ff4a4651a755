#include "view/TraceStatic.h"

#include <QEvent>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <vector>

namespace veldran {
namespace {

// The left part of the trace box holds the channel's name.
constexpr int kLabelWidth = 80;
constexpr int kFrameInset = 2;
// From the frame's outer edge to the channel name: the line and one clear pixel.
constexpr int kLabelInsetX = 2;
constexpr int kLabelInsetY = 1;
// A line over a sample stands this far right of the trace area's start in the form, past the
// sample's first pixel.
constexpr int kSampleLineBase = 82;
// Behind the selected channel's name.
const QColor kSelectedNameColor(255, 236, 160);

// One-pixel pens that, like the platform's line drawing, leave out the last pixel of a line.
QPen LinePen(const QColor& color)
{
    QPen pen(color, 0);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

// The trace area inside the frame of a box of the given size, right of the name.
QRect TraceAreaOf(const QSize& client)
{
    return QRect(QPoint(kFrameInset + kLabelWidth, kFrameInset),
                 QPoint(client.width() - kFrameInset, client.height() - kFrameInset));
}

} // namespace

CTraceStatic::CTraceStatic(QWidget* parent)
    : QWidget(parent)
{
    // Clicks on a trace belong to the form underneath (the cursor is set by clicking the diagram).
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CTraceStatic::SetWindow(int window, int /*cursor*/, int start, int end)
{
    m_nStart = start;
    m_nEnd = end;
    m_nMiddle = (start + end) / 2;
    m_nWindow = window;
    m_fPixelsPerSample = window != 0 ? static_cast<float>(TraceAreaWidth()) / static_cast<float>(window) : 0.0f;
}

int CTraceStatic::TraceAreaWidth() const
{
    return m_rcTrace.isNull() ? 0 : m_rcTrace.right() - m_rcTrace.left();
}

QRect CTraceStatic::LaidOutTraceArea() const
{
    return TraceAreaOf(size());
}

float CTraceStatic::LaidOutPixelsPerSample() const
{
    const QRect area = LaidOutTraceArea();
    return m_nWindow != 0 ? static_cast<float>(std::max(0, area.right() - area.left())) / static_cast<float>(m_nWindow)
                          : 0.0f;
}

int CTraceStatic::SampleLineX(int index) const
{
    const double pixels = LaidOutPixelsPerSample();
    return kSampleLineBase + static_cast<int>(pixels + 3.0) + static_cast<int>((index - m_nStart) * pixels);
}

void CTraceStatic::SetLabel(const QString& label)
{
    m_strLabel = label;
    m_picture = QImage();
    update();
}

void CTraceStatic::SetSelected(bool bSelected)
{
    if (bSelected == m_bSelected)
        return;
    m_bSelected = bSelected;
    m_picture = QImage();
    update();
}

void CTraceStatic::SetLevels(int count, LevelReader level)
{
    m_nSampleCount = level ? std::max(count, 0) : 0;
    m_level = std::move(level);
    ++m_nLevelsVersion;
}

void CTraceStatic::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        m_picture = QImage();
    QWidget::changeEvent(event);
}

QRect CTraceStatic::PictureBox() const
{
    const int w = width() - 2 * kFrameInset;
    const int h = height() - 2 * kFrameInset;
    // The levels are drawn at a quarter and three quarters of h from the widget's top, and a window
    // holding more samples than m_nWindow runs past the right edge: both would leave the box.
    if (w <= kLabelWidth || h <= 0 || h / 4 < kFrameInset || m_nWindow <= 0 || m_nEnd - m_nStart > m_nWindow)
        return QRect();
    return QRect(kFrameInset, kFrameInset, w, h);
}

void CTraceStatic::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QRect box = PictureBox();
    if (box.isEmpty()) {
        m_picture = QImage();
        Paint(painter, size());
        return;
    }
    const PictureKey key{m_nStart, m_nEnd, m_nWindow, size(), devicePixelRatioF(), m_nLevelsVersion};
    if (!(key == m_pictureKey)) {
        // The first paint of what changed draws straight away (a window shown for the first time
        // need not wait for sixteen pictures); a picture is kept once the same is painted again.
        m_picture = QImage();
        m_pictureKey = key;
        Paint(painter, size());
        return;
    }
    if (m_picture.isNull()) {
        // Everything Paint draws lies inside the box, so an opaque picture of the box gives the
        // same pixels as painting here. At a scale factor the frame's one-pixel line need not
        // reach the box's last device pixels: the picture starts as the background they show.
        const qreal ratio = devicePixelRatioF();
        m_picture = QImage(box.size() * ratio, QImage::Format_RGB32);
        m_picture.setDevicePixelRatio(ratio);
        m_picture.fill(palette().color(backgroundRole()));
        QPainter picture(&m_picture);
        picture.setFont(painter.font());
        picture.translate(-box.topLeft());
        Paint(picture, size());
    }
    painter.drawImage(box.topLeft(), m_picture);
}

void CTraceStatic::Paint(QPainter& painter, const QSize& client)
{
    // Rectangles here are (left, top, right, bottom) with exclusive right and bottom edges, as the
    // layout figures are given; QRect's own width() is right − left + 1, so widths are computed
    // from the edges.
    const int outerLeft = kFrameInset;
    const int outerTop = kFrameInset;
    const int outerRight = client.width() - kFrameInset;
    const int outerBottom = client.height() - kFrameInset;
    m_rcTrace = TraceAreaOf(client);

    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(LinePen(Qt::black));
    painter.setBrush(Qt::white);
    const auto drawBox = [&painter](int l, int t, int r, int b) {
        if (r > l && b > t)
            painter.drawRect(QRect(l, t, r - l - 1, b - t - 1));
    };
    drawBox(outerLeft, outerTop, outerRight, outerBottom);
    drawBox(m_rcTrace.left(), outerTop, outerRight, outerBottom);
    if (m_bSelected && m_rcTrace.left() > outerLeft + 1 && outerBottom > outerTop + 2)
        painter.fillRect(QRect(QPoint(outerLeft + 1, outerTop + 1), QPoint(m_rcTrace.left() - 1, outerBottom - 2)),
                         kSelectedNameColor);

    const QRect outer(outerLeft, outerTop, outerRight - outerLeft, outerBottom - outerTop);
    painter.save();
    painter.setClipRect(outer);
    painter.setPen(Qt::black);
    // The name starts inside the frame line, whatever its first character (a name without a
    // leading blank, a Korean one for instance, would otherwise be written over the line).
    painter.drawText(outer.adjusted(kLabelInsetX, kLabelInsetY, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     m_strLabel);
    painter.restore();

    m_fPixelsPerSample = m_nWindow != 0 ? static_cast<float>(TraceAreaWidth()) / static_cast<float>(m_nWindow) : 0.0f;

    const int n = m_nSampleCount;
    if (n == 0)
        return;
    const int h = outerBottom - outerTop;
    const int high = h / 4;
    const int low = 3 * h / 4;
    const auto x = [this](int k) {
        return m_rcTrace.left() + static_cast<int>(static_cast<float>(k) * m_fPixelsPerSample + 0.5f);
    };

    // Edges in black, high segments in red, low segments in blue. A line leaves out its last pixel,
    // so each one covers exactly a one-pixel-wide rectangle and no two share a pixel: they are
    // filled as rectangles, grouped by colour, and a run of equal samples becomes one rectangle.
    // That gives the picture of drawing them one by one in sample order, many times faster.
    std::vector<QRect> edges, highs, lows;
    int previous = -1;
    for (int k = 0, i = m_nStart; i < m_nEnd && i < n; ++k, ++i) {
        if (i < 0)
            continue;
        const int value = m_level(i);
        if (value != 0 && value != 1)
            continue;
        const int left = x(k);
        const int right = x(k + 1);
        if (previous != -1 && previous != value && low > high)
            edges.emplace_back(left, high, 1, low - high);
        std::vector<QRect>& segments = value == 1 ? highs : lows;
        if (previous == value && !segments.empty() && segments.back().left() + segments.back().width() == left)
            segments.back().setWidth(right - segments.back().left());
        else if (right > left)
            segments.emplace_back(left, value == 1 ? high : low, right - left, 1);
        previous = value;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRects(edges.data(), static_cast<int>(edges.size()));
    painter.setBrush(QColor(255, 0, 0));
    painter.drawRects(highs.data(), static_cast<int>(highs.size()));
    painter.setBrush(QColor(0, 0, 255));
    painter.drawRects(lows.data(), static_cast<int>(lows.size()));
}

} // namespace veldran

#include "picture/ViewPicture.h"

#include "analysis/MeasureTexts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QRectF>

#include <algorithm>
#include <cmath>

namespace veldran {
namespace {

// The view's colours: high in red, low in blue, edges in black.
const QColor kHigh(255, 0, 0);
const QColor kLow(0, 0, 255);
const QColor kGrid(210, 210, 210);
const QColor kYCursor(0, 128, 0);

// A step between axis ticks of 1, 2 or 5 × 10^k samples that gives at most `ticks` of them.
int64_t TickStep(int64_t span, int ticks)
{
    int64_t step = 1;
    for (;;) {
        for (const int64_t factor : {int64_t{1}, int64_t{2}, int64_t{5}}) {
            if (span / (step * factor) < ticks)
                return step * factor;
        }
        step *= 10;
    }
}

QString SampleText(int64_t sample, double clockPeriod)
{
    if (IsClockOff(clockPeriod))
        return QString::number(sample);
    return QString::fromStdString(TimeText(static_cast<double>(sample) * clockPeriod));
}

QString CursorText(const char* name, int64_t sample, double clockPeriod)
{
    QString text = QStringLiteral("%1 = %2").arg(QLatin1String(name)).arg(sample);
    if (!IsClockOff(clockPeriod))
        text += QStringLiteral(" (%1)").arg(SampleText(sample, clockPeriod));
    return text;
}

// Where things go, from the size and the font.
struct Frame {
    QRectF plot;      // the traces' area
    double nameLeft;  // the names' column starts here and ends at plot.left()
    double rowHeight;
    double line;      // one line of text
    double pixelsPerSample;
};

class PictureWriter {
public:
    PictureWriter(QPainter& painter, const QSizeF& size, const ViewPictureModel& model)
        : m_painter(painter), m_size(size), m_model(model)
    {
    }

    void Paint()
    {
        QFont font = m_painter.font();
        font.setPixelSize(static_cast<int>(std::clamp(m_size.height() / 50.0, 8.0, 16.0)));
        m_painter.setFont(font);
        m_frame = Layout();
        m_painter.fillRect(QRectF(QPointF(0, 0), m_size), Qt::white);
        PaintTitle();
        for (int row = 0; row < 16; ++row)
            PaintTrace(row);
        PaintAxis();
        for (const ViewPictureMarker& marker : m_model.markers)
            PaintMarker(marker);
        PaintCursor(m_model.nX, Qt::black, Qt::SolidLine, CursorText("X", m_model.nX, m_model.dClockPeriod), 0);
        PaintCursor(m_model.nY, kYCursor, Qt::DashLine, CursorText("Y", m_model.nY, m_model.dClockPeriod), 1);
        PaintBuses();
    }

private:
    [[nodiscard]] int64_t Count() const { return std::max<int64_t>(m_model.nLast - m_model.nFirst + 1, 1); }

    Frame Layout() const
    {
        const QFontMetricsF metrics(m_painter.font());
        Frame frame;
        frame.line = metrics.height();
        const double margin = frame.line / 2;
        double names = 0;
        for (const QString& name : m_model.names)
            names = std::max(names, metrics.horizontalAdvance(name));
        names = std::min(names + frame.line, m_size.width() / 3);
        const double busLines = m_model.buses.empty() ? 0 : 1;
        const double top = margin + 3 * frame.line;                       // title, X and Y
        const double bottom = m_size.height() - margin - (2 + busLines) * frame.line; // axis, buses
        frame.nameLeft = margin;
        frame.plot = QRectF(margin + names, top, std::max(m_size.width() - 2 * margin - names, 1.0),
                            std::max(bottom - top, 16.0));
        frame.rowHeight = frame.plot.height() / 16;
        frame.pixelsPerSample = frame.plot.width() / static_cast<double>(Count());
        return frame;
    }

    [[nodiscard]] double SampleLeft(int64_t sample) const
    {
        return m_frame.plot.left() + static_cast<double>(sample - m_model.nFirst) * m_frame.pixelsPerSample;
    }
    [[nodiscard]] double SampleMiddle(int64_t sample) const { return SampleLeft(sample) + m_frame.pixelsPerSample / 2; }
    [[nodiscard]] bool Shown(int64_t sample) const { return sample >= m_model.nFirst && sample <= m_model.nLast; }

    void PaintTitle()
    {
        const int first = 16 * m_model.nCell;
        m_painter.setPen(Qt::black);
        m_painter.drawText(QRectF(m_frame.nameLeft, m_frame.plot.top() - 3 * m_frame.line, m_size.width(), m_frame.line),
                           Qt::AlignLeft | Qt::AlignVCenter,
                           QStringLiteral("CELL %1  D%2–D%3   %4 … %5").arg(m_model.nCell + 1).arg(first).arg(first + 15)
                               .arg(SampleText(m_model.nFirst, m_model.dClockPeriod))
                               .arg(SampleText(m_model.nLast, m_model.dClockPeriod)));
    }

    void PaintTrace(int row)
    {
        const QRectF box(m_frame.plot.left(), m_frame.plot.top() + row * m_frame.rowHeight, m_frame.plot.width(),
                         m_frame.rowHeight);
        m_painter.setPen(QPen(kGrid, 0));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(box);
        m_painter.setPen(Qt::black);
        m_painter.drawText(QRectF(m_frame.nameLeft, box.top(), box.left() - m_frame.nameLeft, box.height()),
                           Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_model.names[static_cast<size_t>(row)]);

        const int channel = 16 * m_model.nCell + row;
        const double high = box.top() + box.height() / 4;
        const double low = box.top() + 3 * box.height() / 4;
        const int64_t last = std::min(m_model.nLast, m_model.store.nCount - 1);
        // Runs of equal levels become one line; an edge is a black line between the levels.
        int64_t runStart = m_model.nFirst;
        for (int64_t n = m_model.nFirst; n <= last; ++n) {
            const uint8_t level = m_model.store.Level(n, channel);
            const bool runEnds = n == last || m_model.store.Level(n + 1, channel) != level;
            if (!runEnds)
                continue;
            const double y = level ? high : low;
            m_painter.setPen(QPen(level ? kHigh : kLow, 0));
            m_painter.drawLine(QPointF(SampleLeft(runStart), y), QPointF(SampleLeft(n + 1), y));
            if (n != last) {
                m_painter.setPen(QPen(Qt::black, 0));
                m_painter.drawLine(QPointF(SampleLeft(n + 1), high), QPointF(SampleLeft(n + 1), low));
            }
            runStart = n + 1;
        }
    }

    void PaintAxis()
    {
        const double axis = m_frame.plot.bottom();
        m_painter.setPen(QPen(Qt::black, 0));
        m_painter.drawLine(QPointF(m_frame.plot.left(), axis), QPointF(m_frame.plot.right(), axis));
        const int64_t step = TickStep(Count(), 8);
        const int64_t firstTick = (m_model.nFirst + step - 1) / step * step;
        for (int64_t tick = firstTick; tick <= m_model.nLast; tick += step) {
            const double x = SampleMiddle(tick);
            m_painter.drawLine(QPointF(x, axis), QPointF(x, axis + m_frame.line / 3));
            const double width = m_frame.pixelsPerSample * static_cast<double>(step);
            m_painter.drawText(QRectF(x - width / 2, axis + m_frame.line / 3, width, m_frame.line),
                               Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, SampleText(tick, m_model.dClockPeriod));
        }
    }

    void PaintCursor(int64_t sample, const QColor& colour, Qt::PenStyle style, const QString& text, int line)
    {
        const double top = m_frame.plot.top() - (2 - line) * m_frame.line;
        m_painter.setPen(colour);
        if (!Shown(sample)) {
            m_painter.drawText(QRectF(m_frame.plot.left(), top, m_frame.plot.width(), m_frame.line),
                               Qt::AlignLeft | Qt::AlignVCenter, text);
            return;
        }
        const double x = SampleMiddle(sample);
        m_painter.setPen(QPen(colour, 0, style));
        m_painter.drawLine(QPointF(x, m_frame.plot.top()), QPointF(x, m_frame.plot.bottom()));
        m_painter.setPen(colour);
        const double width = QFontMetricsF(m_painter.font()).horizontalAdvance(text) + m_frame.line;
        const double left = std::clamp(x - width / 2, 0.0, std::max(m_size.width() - width, 0.0));
        m_painter.drawText(QRectF(left, top, width, m_frame.line), Qt::AlignCenter, text);
    }

    void PaintMarker(const ViewPictureMarker& marker)
    {
        if (!Shown(marker.nSample))
            return;
        const double x = SampleMiddle(marker.nSample);
        m_painter.setPen(QPen(marker.colour, 0, Qt::DotLine));
        m_painter.drawLine(QPointF(x, m_frame.plot.top()), QPointF(x, m_frame.plot.bottom()));
        m_painter.setPen(marker.colour);
        m_painter.drawText(QPointF(x + 2, m_frame.plot.top() + m_frame.line), marker.strLabel);
    }

    void PaintBuses()
    {
        if (m_model.buses.empty())
            return;
        QStringList values;
        for (const ViewPictureBus& bus : m_model.buses)
            values << QStringLiteral("%1 = %2").arg(bus.strName, bus.strValueAtX);
        m_painter.setPen(Qt::black);
        m_painter.drawText(QRectF(m_frame.nameLeft, m_frame.plot.bottom() + 1.5 * m_frame.line, m_size.width(), m_frame.line),
                           Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                           QStringLiteral("X:  ") + values.join(QStringLiteral("    ")));
    }

    QPainter& m_painter;
    QSizeF m_size;
    const ViewPictureModel& m_model;
    Frame m_frame;
};

} // namespace

void PaintViewPicture(QPainter& painter, const QSizeF& size, const ViewPictureModel& model)
{
    painter.save();
    PictureWriter(painter, size, model).Paint();
    painter.restore();
}

} // namespace veldran

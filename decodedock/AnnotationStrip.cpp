#include "decodedock/AnnotationStrip.h"

#include "decode/DecodeRun.h"
#include "view/TraceStatic.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace veldran {
namespace {

constexpr int kLaneGap = 2;

// A colour per annotation class, steady from run to run.
QColor ClassColour(int decoder, int cls)
{
    const int hue = (decoder * 97 + cls * 47) % 360;
    return QColor::fromHsv(hue, 70, 245);
}

} // namespace

AnnotationStrip::AnnotationStrip(const CTraceStatic& timeAxis, QWidget* parent)
    : QWidget(parent)
    , m_timeAxis(timeAxis)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void AnnotationStrip::SetOutcome(std::shared_ptr<const DecodeOutcome> outcome)
{
    m_outcome = std::move(outcome);
    m_lanes.clear();
    if (m_outcome) {
        const CAnnotationStore& store = m_outcome->annotations;
        for (const DecodedAnnotation& a : store.Annotations()) {
            const Lane lane{a.nDecoder, a.nRow};
            if (LaneOf(a) < 0)
                m_lanes.push_back(lane);
        }
        std::sort(m_lanes.begin(), m_lanes.end(), [](const Lane& a, const Lane& b) {
            return a.nDecoder != b.nDecoder ? a.nDecoder < b.nDecoder : a.nRow < b.nRow;
        });
    }
    updateGeometry();
    update();
}

int AnnotationStrip::LaneOf(const DecodedAnnotation& annotation) const
{
    for (size_t i = 0; i < m_lanes.size(); ++i)
        if (m_lanes[i].nDecoder == annotation.nDecoder && m_lanes[i].nRow == annotation.nRow)
            return static_cast<int>(i);
    return -1;
}

QSize AnnotationStrip::sizeHint() const
{
    const int laneHeight = fontMetrics().height() + 4;
    return {400, std::max<int>(1, static_cast<int>(m_lanes.size())) * (laneHeight + kLaneGap)};
}

double AnnotationStrip::SampleX(int64_t sample) const
{
    const QRect area = m_timeAxis.LaidOutTraceArea();
    const double left = mapFromGlobal(m_timeAxis.mapToGlobal(area.topLeft())).x();
    return left + static_cast<double>(sample - m_timeAxis.m_nStart) * m_timeAxis.LaidOutPixelsPerSample();
}

void AnnotationStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (!m_outcome || m_lanes.empty() || m_timeAxis.m_nEnd <= m_timeAxis.m_nStart)
        return;
    const CAnnotationStore& store = m_outcome->annotations;
    const std::vector<DecodedAnnotation>& all = store.Annotations();
    const int64_t first = m_timeAxis.m_nStart;
    const int64_t last = m_timeAxis.m_nEnd; // exclusive
    const int laneHeight = fontMetrics().height() + 4;
    const double clipLeft = SampleX(first);
    const double clipRight = SampleX(last);
    painter.setClipRect(QRectF(clipLeft, 0, clipRight - clipLeft, height()));
    // The store is ordered by start: everything that starts at or after the window's end is past.
    const auto end = std::lower_bound(all.begin(), all.end(), last,
                                      [](const DecodedAnnotation& a, int64_t sample) { return a.nStart < sample; });
    for (auto it = all.begin(); it != end; ++it) {
        const DecodedAnnotation& a = *it;
        if (std::max(a.nEnd, a.nStart + 1) <= first)
            continue;
        const int lane = LaneOf(a);
        const double x0 = std::max(SampleX(a.nStart), clipLeft - 1);
        const double x1 = std::min(SampleX(std::max(a.nEnd, a.nStart + 1)), clipRight + 1);
        const QRectF box(x0, lane * (laneHeight + kLaneGap), std::max(1.0, x1 - x0), laneHeight);
        painter.setPen(palette().color(QPalette::Text));
        painter.setBrush(ClassColour(a.nDecoder, a.nClass));
        painter.drawRect(box);
        for (size_t t = 0; t < a.nTextCount; ++t) {
            const QString text = QString::fromUtf8(store.Text(a, t).data(), static_cast<qsizetype>(store.Text(a, t).size()));
            if (fontMetrics().horizontalAdvance(text) + 4 <= box.width()) {
                painter.drawText(box, Qt::AlignCenter, text);
                break;
            }
        }
    }
}

} // namespace veldran

#include "view/MarkerLines.h"

#include "resources/Ids.h"
#include "view/VeldranView.h"

#include <QEvent>
#include <QPainter>

namespace veldran {
namespace {

constexpr int kLastTrace = 15;
// A label is cut short with "…" beyond this width, so long ones do not cover the traces.
constexpr int kMaxLabelWidth = 120;
constexpr int kLabelPadding = 2;
// Behind a label, so it reads over the square waves.
const QColor kLabelBackground(255, 255, 255, 220);

} // namespace

MarkerLines::MarkerLines(const CVELDRANView& view, const CCaptureSession& session, QWidget& form)
    : QWidget(&form)
    , m_view(view)
    , m_session(session)
    , m_form(form)
{
    setObjectName(QStringLiteral("MarkerLines"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(form.rect());
    if (QWidget* cursorLine = view.GetDlgItem(ids::kXCursorLine))
        stackUnder(cursorLine);
    form.installEventFilter(this);
    for (const auto signal : {&CCaptureSession::markersChanged, &CCaptureSession::captureOpened,
                              &CCaptureSession::captureCleared, &CCaptureSession::captureReplaced})
        connect(&m_session, signal, this, &MarkerLines::Follow);
    // The window moves with the cursors and the zoom; the form's own repaints (a scroll of the
    // window) repaint the lines with it.
    connect(&m_session, &CCaptureSession::cursorsMoved, this, qOverload<>(&QWidget::update));
    connect(&m_session, &CCaptureSession::windowChanged, this, qOverload<>(&QWidget::update));
    Follow();
}

void MarkerLines::Follow()
{
    setVisible(m_session.HasCapture() && !m_session.Markers().empty());
    update();
}

bool MarkerLines::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_form && event->type() == QEvent::Resize)
        setGeometry(m_form.rect());
    return false;
}

std::vector<MarkerLines::Line> MarkerLines::Lines() const
{
    std::vector<Line> lines;
    if (!m_session.HasCapture())
        return lines;
    const CTraceStatic& trace = m_view.Trace(0);
    for (const Marker& marker : m_session.Markers()) {
        if (marker.nSample < trace.m_nStart || marker.nSample >= trace.m_nEnd)
            continue;
        const int sample = static_cast<int>(marker.nSample);
        lines.push_back({trace.SampleLineX(sample), marker.nSample, QString::fromStdString(marker.strLabel),
                         QColor::fromRgb(static_cast<QRgb>(marker.nColour))});
    }
    return lines;
}

void MarkerLines::paintEvent(QPaintEvent* /*event*/)
{
    const std::vector<Line> lines = Lines();
    if (lines.empty())
        return;
    const CTraceStatic& first = m_view.Trace(0);
    const CTraceStatic& last = m_view.Trace(kLastTrace);
    const int top = first.LaidOutTraceArea().translated(first.pos()).top();
    const int bottom = last.LaidOutTraceArea().translated(last.pos()).bottom();
    const int right = first.LaidOutTraceArea().translated(first.pos()).right();
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    for (const Line& line : lines) {
        painter.setPen(QPen(line.colour, 0));
        painter.drawLine(line.x, top, line.x, bottom - 1);
        if (line.label.isEmpty())
            continue;
        const QString shown = metrics.elidedText(line.label, Qt::ElideRight, kMaxLabelWidth);
        QRect box(line.x + 1, top, metrics.horizontalAdvance(shown) + 2 * kLabelPadding, metrics.height());
        // Near the right end of the traces the label goes to the left of its line.
        if (box.right() >= right)
            box.moveRight(line.x - 1);
        painter.fillRect(box, kLabelBackground);
        painter.drawText(box, Qt::AlignCenter, shown);
    }
}

} // namespace veldran

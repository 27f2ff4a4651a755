#include "view/CursorMarkers.h"

#include "resources/Ids.h"

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QPalette>

#include <algorithm>
#include <utility>

namespace veldran {
namespace {

constexpr int kLabelHeight = 14;
constexpr int kLineTop = 2;
// The labels stand this far above the information row, the lines end there.
constexpr int kAboveInfoRow = 8;

QFrame* CursorLine(QWidget* form, const QColor& color)
{
    auto* line = new QFrame(form);
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, color);
    line->setPalette(palette);
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    return line;
}

QLabel* CursorLabel(QWidget* form, const char* text)
{
    auto* label = new QLabel(QString::fromLatin1(text), form);
    label->setAlignment(Qt::AlignCenter);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    // Each label paints its own background, so where the two stand together only the upper one
    // (Y, reading "XY=") is read, never both texts printed over each other.
    label->setAutoFillBackground(true);
    return label;
}

} // namespace

CursorMarkers::CursorMarkers(QWidget* form, const std::function<void(int, QWidget*)>& addControl)
    : m_xLine(CursorLine(form, Qt::black))
    , m_yLine(CursorLine(form, QColor(96, 96, 96)))
    , m_xLabel(CursorLabel(form, "X"))
    , m_yLabel(CursorLabel(form, "Y"))
{
    m_yLine->hide();
    m_yLabel->hide();
    addControl(ids::kXCursorLine, m_xLine);
    addControl(ids::kYCursorLine, m_yLine);
    addControl(ids::kXCursorLabel, m_xLabel);
    addControl(ids::kYCursorLabel, m_yLabel);
}

CursorMarkers::LabelRects CursorMarkers::LabelPlaces(const Placement& placement)
{
    const int width = placement.labelWidth;
    const int top = placement.infoTop - kAboveInfoRow;
    const auto rect = [&](int left) { return QRect(left, top, width, kLabelHeight); };
    const auto centred = [&](int pixel) { return pixel - width / 2; };
    // Inside the area where it is wide enough; from its left edge where it is not. Markers not yet
    // placed (no area) stay where their lines are parked.
    const bool bounded = placement.areaRight > placement.areaLeft;
    const auto inside = [&](int left) {
        return bounded ? std::max(placement.areaLeft, std::min(left, placement.areaRight - width)) : left;
    };
    if (!placement.xShown) {
        const int left = inside(centred(placement.yPixel));
        return {rect(left), rect(left)};
    }
    if (!placement.yShown || placement.xIndex == placement.yIndex) {
        const int left = inside(centred(placement.xPixel));
        return {rect(left), rect(left)};
    }
    // The left cursor is the one drawn further left, or on one pixel the earlier sample.
    const bool xFirst = std::make_pair(placement.xPixel, placement.xIndex) < std::make_pair(placement.yPixel, placement.yIndex);
    const int leftPixel = xFirst ? placement.xPixel : placement.yPixel;
    const int rightPixel = xFirst ? placement.yPixel : placement.xPixel;
    int first = centred(leftPixel);
    int second = centred(rightPixel);
    if (second - first < width) {
        // Back to back, meeting halfway between the lines.
        second = (leftPixel + rightPixel + 1) / 2;
        first = second - width;
    }
    if (bounded) {
        first = std::max(first, placement.areaLeft);
        second = std::min(std::max(second, first + width), placement.areaRight - width);
        first = std::min(first, second - width);
    }
    return xFirst ? LabelRects{rect(first), rect(second)} : LabelRects{rect(second), rect(first)};
}

void CursorMarkers::Place(const Placement& placement)
{
    m_xLabel->setText(placement.xText);
    m_yLabel->setText(placement.yText);
    const int lineHeight = placement.infoTop - kAboveInfoRow;
    const LabelRects labels = LabelPlaces(placement);
    m_yLine->setVisible(placement.yShown);
    m_yLabel->setVisible(placement.yShown);
    if (placement.yShown) {
        m_yLine->setGeometry(placement.yPixel, kLineTop, 1, lineHeight);
        m_yLabel->setGeometry(labels.y);
    }
    m_xLine->setVisible(placement.xShown);
    m_xLabel->setVisible(placement.xShown);
    m_xLine->setGeometry(placement.xPixel, kLineTop, 1, lineHeight);
    m_xLabel->setGeometry(labels.x);
}

void CursorMarkers::Raise()
{
    m_xLine->show();
    m_yLine->show();
    for (QWidget* marker : {static_cast<QWidget*>(m_xLine), static_cast<QWidget*>(m_yLine),
                            static_cast<QWidget*>(m_xLabel), static_cast<QWidget*>(m_yLabel)})
        marker->raise();
}

} // namespace veldran

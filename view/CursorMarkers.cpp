#include "view/CursorMarkers.h"

#include "resources/Ids.h"

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QPalette>

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
    // Each label paints its own background, so where the two meet only the upper one (Y) is
    // read, never both texts printed over each other.
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

void CursorMarkers::Place(const Placement& placement)
{
    m_xLabel->setText(placement.xText);
    m_yLabel->setText(placement.yText);
    const int lineHeight = placement.infoTop - kAboveInfoRow;
    const int labelTop = placement.infoTop - kAboveInfoRow;
    const int halfLabel = placement.labelWidth / 2;
    m_yLine->setVisible(placement.yShown);
    m_yLabel->setVisible(placement.yShown);
    if (placement.yShown) {
        m_yLine->setGeometry(placement.yPixel, kLineTop, 1, lineHeight);
        m_yLabel->setGeometry(placement.yPixel - halfLabel, labelTop, placement.labelWidth, kLabelHeight);
    }
    m_xLine->setGeometry(placement.xPixel, kLineTop, 1, lineHeight);
    m_xLabel->setGeometry(placement.xPixel - halfLabel, labelTop, placement.labelWidth, kLabelHeight);
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

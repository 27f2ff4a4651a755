// Cursors and measurement of the timing-diagram view: the X and Y cursor entries, the cursor lines
// and labels over the traces, the cell values at the X cursor and the X − Y distance.

#include "controls/CNumEdit.h"
#include "controls/CNumSpinCtrl.h"
#include "view/FormWidget.h"
#include "view/ReadoutTexts.h"
#include "view/VeldranView.h"
#include "view/ZoomWindow.h"

#include <QFrame>
#include <QLabel>

#include <algorithm>

namespace veldran {
namespace {

// The cursor line stands over the trace area, which starts at x = 87 in the form.
constexpr int kCursorBase = 82;
constexpr int kClickOrigin = 85;
constexpr int kCursorLabelWidth = 55;

// A cell word as the instrument writes it: channel 15 first.
QString CellWordFromStore(const CVELDRANDoc& document, int sample, int cell)
{
    QString word(16, QLatin1Char('0'));
    for (int b = 0; b < 16; ++b)
        if (document.Level(sample, cell * 16 + b) == 1)
            word[15 - b] = QLatin1Char('1');
    return word;
}

} // namespace

int CVELDRANView::CursorX() const
{
    return static_cast<int>(m_editX->GetValue());
}

int CVELDRANView::CursorY() const
{
    return static_cast<int>(m_editY->GetValue());
}

QString CVELDRANView::CellTokensAt(int x) const
{
    const TokenList& tokens = *m_document.m_pTokenList;
    const size_t first = static_cast<size_t>(x) * 4 + (m_bLiveData ? 13 : 1);
    if (x >= 0 && first + 2 < tokens.size())
        return QStringLiteral("%1  %2  %3")
            .arg(QString::fromUtf8(tokens[first]), QString::fromUtf8(tokens[first + 1]),
                 QString::fromUtf8(tokens[first + 2]));
    // The token list can be shorter than the capture (a cancelled reception keeps the earlier
    // samples but not their tokens): the cell words are then rebuilt from the samples themselves.
    if (x >= 0 && x < m_document.ReadableSampleCount())
        return QStringLiteral("%1  %2  %3")
            .arg(CellWordFromStore(m_document, x, 0), CellWordFromStore(m_document, x, 1),
                 CellWordFromStore(m_document, x, 2));
    return QString();
}

void CVELDRANView::ForgetCursorValues()
{
    // No cursor update has been seen for the capture now shown, so the next one is never skipped.
    s_nLastX = kNoCursorSeen;
    s_nLastY = kNoCursorSeen;
}

void CVELDRANView::UpdateCursors()
{
    ShowCursorLines();
    const int x = CursorX();
    const int y = CursorY();
    const int n = Trace(0).SampleCount();
    if (s_nLastX == 0 && x == 0 && s_nLastY == 0 && y == 0)
        return;
    if (s_nLastY == n - 1 && y == n - 1 && s_nLastX == n - 1 && x == n - 1)
        return;
    UpdateMeasurement();
    s_nLastX = x;
    s_nLastY = y;
    if (m_document.m_bDataReady)
        m_strXPosData = CellTokensAt(x);
    WriteStrings();
    FollowXCursor();
}

void CVELDRANView::FollowXCursor()
{
    m_nXIndex = CursorX();
    m_nYIndex = CursorY();
    if (!Trace(0).IsInWindow(m_nXIndex)) {
        const SampleWindow placed = PlaceWindow(m_nXIndex, m_nWindow, Trace(0).SampleCount(), m_nSampleCount);
        ApplyWindowToTraces(m_nXIndex, placed.start, placed.end);
        m_xCursorLine->update();
        m_xCursorLabel->update();
        UpdatePositionBar();
        UpdateCursorMarkers();
        m_form->update();
    }
    const CTraceStatic& trace = Trace(0);
    const double p = trace.m_fPixelsPerSample;
    const int base = kCursorBase + static_cast<int>(p + 3.0);
    const auto pixel = [&](int index) {
        const int x = base + static_cast<int>((index - trace.m_nStart) * p);
        return x < 0 ? base + static_cast<int>((trace.m_nMiddle - trace.m_nStart) * p) : x;
    };
    m_nXCursorPixel = pixel(m_nXIndex);
    m_nYCursorPixel = pixel(m_nYIndex);
    UpdateCursorMarkers();
}

void CVELDRANView::UpdateCursorMarkers()
{
    const int x = static_cast<int>(m_spinX->GetPos());
    const int y = static_cast<int>(m_spinY->GetPos());
    m_xCursorLabel->setText(XCursorText(x));
    m_yCursorLabel->setText(YCursorText(x, y));

    // 55 pixels centred on the line, wider where the font needs it for the largest sample.
    const int labelWidth = std::max(kCursorLabelWidth, m_nCursorLabelWidth);
    const int lineHeight = m_nInfoTop - 8;
    if (Trace(0).IsInWindow(m_nYIndex)) {
        ShowYCursor(true);
        m_yCursorLine->setGeometry(m_nYCursorPixel, 2, 1, lineHeight);
        m_yCursorLabel->setGeometry(m_nYCursorPixel - labelWidth / 2, m_nInfoTop - 8, labelWidth, 14);
    } else {
        ShowYCursor(false);
    }
    m_xCursorLine->setGeometry(m_nXCursorPixel, 2, 1, lineHeight);
    m_xCursorLabel->setGeometry(m_nXCursorPixel - labelWidth / 2, m_nInfoTop - 8, labelWidth, 14);
}

void CVELDRANView::ShowCursorLines()
{
    // The lines must stay visible over the traces. Sibling widgets clip each other, so the markers
    // are kept on top of the stacking order.
    m_xCursorLine->show();
    m_yCursorLine->show();
    for (QWidget* marker : {static_cast<QWidget*>(m_xCursorLine), static_cast<QWidget*>(m_yCursorLine),
                            static_cast<QWidget*>(m_xCursorLabel), static_cast<QWidget*>(m_yCursorLabel)})
        marker->raise();
}

void CVELDRANView::ShowYCursor(bool show)
{
    m_yCursorLine->setVisible(show);
    m_yCursorLabel->setVisible(show);
}

void CVELDRANView::UpdateMeasurement()
{
    m_strXYDistance = DistanceText(static_cast<double>(m_editX->GetValue()) - m_editY->GetValue(), m_dClockPeriod);
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

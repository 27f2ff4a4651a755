// Layout and painting of the timing-diagram view: the information row measured for the capture
// shown, the counters and the position strip.

#include "controls/CNumSpinCtrl.h"
#include "resources/Ids.h"
#include "view/FormWidget.h"
#include "view/ReadoutTexts.h"
#include "view/TextRoom.h"
#include "view/VeldranView.h"

#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace veldran {
namespace {

// A trace row holds its name between the frame lines: the font's height and this much more.
constexpr int kTraceTextMargin = 5;
// The form's height beyond its sixteen rows (the row height is the sixteenth of height − 60).
constexpr int kFormRowsMargin = 60;

} // namespace

void CVELDRANView::FitReadouts(bool bForce)
{
    if (m_bInitializing)
        return;
    // The widest texts of the capture shown and the clock period chosen: a larger capture or
    // another period measures the row again, so a small screen is not given up to captures and
    // periods it does not show. The counters read up to the view's sample count, the cursors up
    // to the end of their range, which follows the document's count.
    int lastIndex = m_session.SampleCount() - 1;
    for (const CNumSpinCtrl* spin : {m_spinX, m_spinY}) {
        float lower = 0.0f;
        float upper = 0.0f;
        spin->GetRange(lower, upper);
        lastIndex = std::max(lastIndex, static_cast<int>(std::max(lower, upper)));
    }
    const ReadoutScope scope{std::max(0, lastIndex), m_session.ClockPeriod()};
    if (!bForce && scope == m_measuredScope)
        return;
    m_measuredScope = scope;

    const int last = scope.lastIndex;
    NeededWidths needed;
    const auto fit = [this, &needed](int id, const QStringList& texts) {
        if (const QWidget* control = GetDlgItem(id))
            needed[id] = WidthToShow(*control, texts);
    };
    for (const int id : {ids::kLabelXPos, ids::kLabelYPos, ids::kLabelXY, ids::kLabelXData})
        if (const auto* label = qobject_cast<const QLabel*>(GetDlgItem(id)))
            fit(id, {label->text()});
    fit(ids::kEditX, CursorValueTextsToFit(last));
    fit(ids::kEditY, CursorValueTextsToFit(last));
    fit(ids::kXYDistance, DistanceTextsToFit(last, scope.clockPeriod));
    fit(ids::kXPosData, ValueTextsToFit());
    fit(ids::kWindowText, WindowTextsToFit());
    fit(ids::kLeftPos, PositionTextsToFit(last));
    fit(ids::kRightPos, PositionTextsToFit(last));
    m_nCursorLabelWidth = WidthToShow(m_markers->XLabel(), CursorLabelTextsToFit(last));
    // A listing changes the scope with every line, but the widths only now and then: the row is
    // placed (and the form painted) again only when a width changed.
    if (!bForce && needed == m_measuredWidths && m_nCursorLabelWidth == m_nPlacedCursorLabelWidth)
        return;

    m_measuredWidths = needed;
    m_nPlacedCursorLabelWidth = m_nCursorLabelWidth;
    const FormLayout layout = ComputeFormLayout(m_form->width(), m_form->height(), needed);
    m_nInfoTop = layout.infoTop;
    m_strip.SetPlace(layout.stripLeft, layout.stripTop, layout.stripRight);
    for (const auto& [id, rect] : layout.placements)
        if (QWidget* widget = GetDlgItem(id))
            widget->setGeometry(rect);
    // A form too narrow for its information row on two lines scrolls instead of cutting the row
    // off. Heights scroll only below sixteen traces that still show their names, and the row's
    // second line if it has one: the template's own height would push the information row out
    // of a window at a high scale factor.
    const int minimumRow = m_form->fontMetrics().height() + kTraceTextMargin;
    m_form->setMinimumSize(std::max(m_templateSize.width(), layout.minimumWidth),
                           std::min(m_templateSize.height(), 16 * minimumRow + kFormRowsMargin) + layout.extraHeight);
    // The cursor lines end above the row and their labels sit on it: they move with it now, not
    // at the next paint, where moving a widget would take a second round of painting.
    UpdateCursorMarkers();
    m_form->update();
}

void CVELDRANView::UpdatePositionBar()
{
    const PositionStrip::Values bar = PositionStrip::Of(Trace(0).m_nStart, Trace(0).m_nEnd, m_session.SampleCount());
    m_strLeftPos = PositionText(bar.first, bar.total - 1);
    m_strRightPos = PositionText(bar.last, bar.total - 1);
    WriteStrings();
    // Another capture may need wider readouts, or leave room to spare.
    FitReadouts();
    // The strip itself is drawn with the form at its next paint.
    m_form->update();
}

void CVELDRANView::PaintForm(QPainter& painter)
{
    UpdateCursorMarkers();
    // The counters are written from the very values the strip is drawn from, whatever changed
    // the sample count or the window since they were last written.
    const PositionStrip::Values bar = PositionStrip::Of(Trace(0).m_nStart, Trace(0).m_nEnd, m_session.SampleCount());
    const QString leftText = PositionText(bar.first, bar.total - 1);
    const QString rightText = PositionText(bar.last, bar.total - 1);
    if (leftText != m_strLeftPos || rightText != m_strRightPos) {
        m_strLeftPos = leftText;
        m_strRightPos = rightText;
        m_leftPos->setText(leftText);
        m_rightPos->setText(rightText);
        // The count changed since the counters were written (a reception under way or
        // cancelled): they are measured again once the paint is over.
        QMetaObject::invokeMethod(this, [this] { FitReadouts(); }, Qt::QueuedConnection);
    }
    m_strip.Draw(painter, bar, m_form->height());
}

} // namespace veldran

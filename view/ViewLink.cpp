// The view's side of the instrument link: the clock period, the options command, and what the
// reception shows while a listing arrives.

#include "view/VeldranView.h"

#include "i18n/Translation.h"
#include "link/ClockPeriods.h"
#include "view/FormWidget.h"

#include <QLineEdit>

namespace veldran {

void CVELDRANView::SetClockPeriod(int nIndex)
{
    if (const auto period = ClockPeriodSeconds(nIndex))
        m_dClockPeriod = *period;
    emit clockPeriodTextChanged(nIndex);
    UpdateMeasurement();
    FitReadouts(); // the distance's texts depend on the period
}

void CVELDRANView::OnOptions()
{
    if (m_link.RunOptionsDialog([this](int nIndex) { emit clockPeriodTextChanged(nIndex); }))
        SetClockPeriod(m_dlgOptions.m_nClockIndex);
}

void CVELDRANView::SetXPosData(const std::string& text)
{
    // A listing sets the line counter thousands of times a second; the box on screen follows
    // five times a second, which reads as a running count, keeps a fast line fast and keeps a
    // listing at the line rate from spending its time on redrawing the counter.
    m_strXPosData = QString::fromStdString(text);
    if (!m_sinceXPosData.isValid() || m_sinceXPosData.elapsed() >= kLineCounterRefreshMs) {
        ShowXPosData();
    } else if (!m_xPosDataTimer.isActive()) {
        m_xPosDataTimer.start(kLineCounterRefreshMs);
    }
}

void CVELDRANView::ShowXPosData()
{
    m_xPosDataTimer.stop();
    m_sinceXPosData.start();
    m_xPosData->setText(TranslateText(m_strXPosData));
    m_xPosData->setCursorPosition(0);
}

void CVELDRANView::InvalidateView()
{
    m_form->update();
}

QWidget* CVELDRANView::TransferDialogOwner()
{
    return window();
}

} // namespace veldran

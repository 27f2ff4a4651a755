// The view's side of the instrument link: the communication settings, the clock period, opening
// the serial port, and the bytes and errors the port's worker hands over.

#include "link/ClockPeriods.h"
#include "link/SettingsFile.h"
#include "link/serial/SerialMessages.h"
#include "resources/Strings.h"
#include "resources/UserMessages.h"
#include "view/FormWidget.h"
#include "view/VeldranView.h"

#include <QLineEdit>
#include <QMetaObject>

namespace veldran {

bool CVELDRANView::ReadSettings()
{
    // The user's own file, where the executable's folder cannot be written, comes first; a file
    // beside the executable still gives the start values of an installed program.
    const std::string path = WritableSettingsPath();
    if (veldran::ReadSettings(path, m_dlgOptions.m_nPortIndex, m_dlgOptions.m_nSpeedIndex))
        return true;
    return path != SettingsPath()
        && veldran::ReadSettings(SettingsPath(), m_dlgOptions.m_nPortIndex, m_dlgOptions.m_nSpeedIndex);
}

bool CVELDRANView::WriteSettings()
{
    std::string error;
    if (veldran::WriteSettings(WritableSettingsPath(), m_dlgOptions.m_nPortIndex, m_dlgOptions.m_nSpeedIndex, &error))
        return true;
    ShowAppMessage(error);
    return false;
}

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
    const int port = m_dlgOptions.m_nPortIndex;
    const int speed = m_dlgOptions.m_nSpeedIndex;
    if (m_dlgOptions.exec() != QDialog::Accepted)
        return;
    emit clockPeriodTextChanged(m_dlgOptions.m_nClockIndex);
    if (m_dlgOptions.m_nPortIndex != port || m_dlgOptions.m_nSpeedIndex != speed) {
        // A settings file that cannot be written leaves the rest of the command undone.
        if (!WriteSettings())
            return;
        ShowWindowMessage(text::kSettingsChanged);
    }
    SetClockPeriod(m_dlgOptions.m_nClockIndex);
}

void CVELDRANView::OpenLink()
{
    const int port = m_dlgOptions.m_nPortIndex + 1;
    const int baud = m_dlgOptions.m_nSpeedIndex <= 0 ? 9600 : 1200;
    m_serial.SetPoster([this](std::function<void()> call) {
        QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
    });
    if (m_serial.Open(this, port, baud, 'N', 8, 1, EV_VIEW_MASK) == 1) {
        m_bPortOpen = 1;
        m_serial.StartWorker();
        return;
    }
    m_bPortOpen = 0;
    ShowWindowMessage(QString::asprintf(text::kSerialInitFailed, port, port).toStdString());
}

void CVELDRANView::OnDestroy()
{
    m_serial.Stop();
    WriteSettings();
}

long CVELDRANView::OnSerialMessage(unsigned message, unsigned wParam, int lParam)
{
    switch (message) {
    case WM_SERIAL_RXCHAR: OnSerialChar(wParam, lParam); return 0;
    case WM_SERIAL_CTS: return OnSerialCts(wParam, lParam);
    default: return 0;
    }
}

void CVELDRANView::OnSerialError(const std::string& text)
{
    ShowMessage(text, MessageIcon::Stop, text::kApplicationError);
}

void CVELDRANView::SetXPosData(const std::string& text)
{
    // A listing sets the line counter thousands of times a second; the box on screen follows at
    // most once per frame, which a user cannot tell apart and which keeps a fast line fast.
    m_strXPosData = QString::fromStdString(text);
    if (!m_sinceXPosData.isValid() || m_sinceXPosData.elapsed() >= kFrameMs) {
        ShowXPosData();
    } else if (!m_xPosDataTimer.isActive()) {
        m_xPosDataTimer.start(kFrameMs);
    }
}

void CVELDRANView::ShowXPosData()
{
    m_xPosDataTimer.stop();
    m_sinceXPosData.start();
    m_xPosData->setText(m_strXPosData);
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

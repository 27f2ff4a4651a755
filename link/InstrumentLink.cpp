#include "link/InstrumentLink.h"

#include "link/ClockPeriods.h"
#include "link/SettingsFile.h"
#include "link/serial/ConsolePort.h"
#include "link/serial/LineDefinition.h"
#include "link/serial/OpenFailure.h"
#include "link/serial/SerialDevice.h"
#include "link/serial/SerialMessages.h"
#include "resources/Strings.h"
#include "i18n/MessageText.h"

#include <QMetaObject>
#include <QString>

#include <algorithm>

namespace veldran {

CInstrumentLink::CInstrumentLink(CCaptureSession& session, QWidget* dialogOwner)
    : m_session(session)
    , m_reception(*this, session, dialogOwner)
{
    connect(&m_session, &CCaptureSession::captureOpened, this, &CInstrumentLink::OnCaptureOpened);
    m_serial.SetPoster([this](std::function<void()> call) {
        QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
    });
}

CInstrumentLink::~CInstrumentLink()
{
    m_serial.Stop();
}

bool CInstrumentLink::ReadSettings()
{
    // The user's own file, where the executable's folder cannot be written, comes first; a file
    // beside the executable still gives the start values of an installed program.
    const std::string path = WritableSettingsPath();
    if (veldran::ReadSettings(path, m_dlgOptions.m_nPortIndex, m_dlgOptions.m_nSpeedIndex))
        return true;
    return path != SettingsPath()
        && veldran::ReadSettings(SettingsPath(), m_dlgOptions.m_nPortIndex, m_dlgOptions.m_nSpeedIndex);
}

bool CInstrumentLink::WriteSettings()
{
    Message error;
    if (veldran::WriteSettings(WritableSettingsPath(), m_dlgOptions.m_nPortIndex, m_dlgOptions.m_nSpeedIndex, &error))
        return true;
    ShowAppMessage(error);
    return false;
}

void CInstrumentLink::LoadSettings()
{
    if (!ReadSettings()) {
        m_dlgOptions.m_nPortIndex = 0;
        m_dlgOptions.m_nSpeedIndex = 0;
    }
    m_dlgOptions.m_nClockIndex = 0;
}

bool CInstrumentLink::RunOptionsDialog(const std::function<void(int)>& onClockChosen)
{
    const int port = m_dlgOptions.m_nPortIndex;
    const int speed = m_dlgOptions.m_nSpeedIndex;
    if (m_dlgOptions.exec() != QDialog::Accepted)
        return false;
    if (onClockChosen)
        onClockChosen(m_dlgOptions.m_nClockIndex);
    if (m_dlgOptions.m_nPortIndex != port || m_dlgOptions.m_nSpeedIndex != speed) {
        // A settings file that cannot be written leaves the rest of the command undone.
        if (!WriteSettings())
            return false;
        ShowWindowMessage(text::kSettingsChanged);
    }
    return true;
}

void CInstrumentLink::OnOptions()
{
    const auto chosen = [this](int nIndex) { m_session.SetClockPeriod(nIndex, ClockPeriodSeconds(nIndex)); };
    if (RunOptionsDialog(chosen))
        chosen(m_dlgOptions.m_nClockIndex);
}

void CInstrumentLink::OnCaptureOpened()
{
    LoadSettings();
    OpenLink();
}

bool CInstrumentLink::IsUnnamedConsole(int nPort) const
{
    return !PortNamedByVariable(nPort) && IsKernelConsole(DevicePathForPort(nPort), m_deviceRoots);
}

int CInstrumentLink::OpenPort()
{
    const int port = m_dlgOptions.m_nPortIndex + 1;
    const int baud = BaudForSpeedIndex(m_dlgOptions.m_nSpeedIndex);
    if (!IsUnnamedConsole(port) && m_serial.Open(this, port, baud, 'N', 8, 1, EV_VIEW_MASK) == 1) {
        m_bPortOpen = 1;
        m_nOpenPort = port;
        m_nOpenBaud = baud;
        m_serial.StartWorker();
        return 1;
    }
    m_bPortOpen = 0;
    return 0;
}

void CInstrumentLink::OpenLink()
{
    // A file open runs this again: a port that is running with the settings' port and speed stays
    // as it is, worker and all.
    if (m_bPortOpen != 0 && m_serial.IsRunning() && m_nOpenPort == m_dlgOptions.m_nPortIndex + 1
        && m_nOpenBaud == BaudForSpeedIndex(m_dlgOptions.m_nSpeedIndex))
        return;
    if (OpenPort() == 1)
        return;
    const int port = m_dlgOptions.m_nPortIndex + 1;
    if (IsUnnamedConsole(port)) {
        // Said once: a file open tries the port again, and the answer has not changed.
        if (!m_bConsoleReported) {
            const std::string device = DevicePathForPort(port);
            ShowWindowMessage(Message(text::kConsolePortRefused, {MessageNumber(port), device,
                                                                  "VELDRAN_COM" + std::to_string(port), device}));
        }
        m_bConsoleReported = true;
        return;
    }
    // The box keeps its text and adds what the system said and what the user can do about it.
    const SOpenFailure failure = DiagnoseOpenFailure(m_serial.GetDevicePath(), m_serial.GetOpenError(), port);
    ShowWindowMessage(Message(text::kSerialInitFailed, {MessageNumber(port), MessageNumber(port)})
                          .Then(OpenFailureHint(failure)));
}

void CInstrumentLink::Shutdown()
{
    m_serial.Stop();
    WriteSettings();
}

bool CInstrumentLink::OpenForReception()
{
    if (m_bPortOpen == 0)
        OpenPort();
    return m_bPortOpen != 0;
}

long CInstrumentLink::OnSerialCts(unsigned /*wParam*/, int lParam) const
{
    return lParam >= 1 && lParam <= 4 ? 0 : -1;
}

long CInstrumentLink::OnSerialMessage(unsigned message, unsigned wParam, int lParam)
{
    switch (message) {
    case WM_SERIAL_RXCHAR: OnSerialChar(wParam, lParam); return 0;
    case WM_SERIAL_CTS: return OnSerialCts(wParam, lParam);
    default: return 0;
    }
}

void CInstrumentLink::OnSerialBytes(const unsigned char* pData, std::size_t nBytes, int /*lParam*/,
                                    const std::atomic<bool>& bStopped)
{
    m_reception.OnSerialBytes(pData, nBytes, &bStopped);
}

void CInstrumentLink::OnLineLost()
{
    m_bPortOpen = 0;
}

void CInstrumentLink::OnSerialError(const std::string& text)
{
    // A box runs its own event loop, where another report can arrive; it waits for this box
    // (a report that is shown or waiting already is not repeated).
    if (m_bShowingError) {
        if (text != m_strShownError
            && std::find(m_waitingErrors.begin(), m_waitingErrors.end(), text) == m_waitingErrors.end())
            m_waitingErrors.push_back(text);
        return;
    }
    m_bShowingError = true;
    m_strShownError = text;
    for (;;) {
        // The engine's report is the system's words, shown as they are.
        ShowMessage(Message::AsIs(m_strShownError, MessageIcon::Stop, text::kApplicationError));
        if (m_waitingErrors.empty())
            break;
        m_strShownError = std::move(m_waitingErrors.front());
        m_waitingErrors.pop_front();
    }
    m_bShowingError = false;
}

} // namespace veldran

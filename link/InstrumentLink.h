#pragma once
// The instrument link: the serial port to the instrument, its communication settings (the options
// values and the settings file) and the reception of state listings. It opens the port, answers
// the serial engine's messages and hands received bytes to the reception, which writes the capture
// session. Each capture the session opens (start-up, a file) reads the settings and opens the port.
//
// A line that is lost (adapter unplugged, far end closed) closes the link; the next Load tries to
// open the port again with the current settings. Error boxes come one at a time: a report that
// arrives while a box is shown waits for it.

#include "link/OptionsDialog.h"
#include "link/Reception.h"
#include "link/ReceptionPort.h"
#include "link/serial/SerialEngine.h"
#include "link/serial/SerialOwner.h"
#include "link/serial/SerialPorts.h"
#include "session/CaptureSession.h"

#include <QObject>

#include <deque>
#include <functional>
#include <string>

namespace veldran {

class CInstrumentLink : public QObject, public SerialOwner, public ReceptionPort {
    Q_OBJECT
public:
    // dialogOwner: the window the link's dialogs belong to.
    CInstrumentLink(CCaptureSession& session, QWidget* dialogOwner);
    ~CInstrumentLink() override;

    // The settings file: port and speed indexes (false when no file could be read).
    bool ReadSettings();
    // False (and the reason shown) when the file could not be written.
    bool WriteSettings();
    // Start-up: the settings from the file, or COM1 at 9600 without one; clock period OFF.
    void LoadSettings();
    // Runs the options dialog. onClockChosen gets the chosen clock-period index as soon as the
    // dialog is accepted; a changed port or speed is saved and announced. True when the command
    // goes on to apply the clock period (false: cancelled, or the settings could not be saved).
    bool RunOptionsDialog(const std::function<void(int)>& onClockChosen);
    // The Options command: the dialog, and the clock period it chose for the session.
    void OnOptions();

    // Opens the port of the settings and starts its worker, or says why it could not. A port that
    // runs with the settings' port and speed already is left as it is. A port whose device is the
    // system console is not opened unless its variable (VELDRAN_COMn) names the device; the first
    // time, a box says so.
    void OpenLink();
    // Stops the worker and saves the settings, as the program's window goes away.
    void Shutdown();

    // Reception of a state listing.
    void OnLoad() { m_reception.OnLoad(); }
    void OnSerialChar(unsigned wParam, int lParam) { m_reception.OnSerialChar(wParam, lParam); }
    void OnTimer(int nIdEvent) { m_reception.OnTimer(nIdEvent); }
    [[nodiscard]] CReception& Reception() { return m_reception; }

    // The engine's CTS notification: 0 for ports 1..4, −1 otherwise.
    [[nodiscard]] long OnSerialCts(unsigned wParam, int lParam) const;

    // SerialOwner
    long OnSerialMessage(unsigned message, unsigned wParam, int lParam) override;
    void OnSerialError(const std::string& text) override;
    void OnSerialBytes(const unsigned char* pData, std::size_t nBytes, int lParam,
                       const std::atomic<bool>& bStopped) override;
    void OnLineLost() override;

    // Where the devices and the console are looked up; tests point it at a folder of their own.
    void SetDeviceRoots(SDeviceRoots roots) { m_deviceRoots = std::move(roots); }

    // ReceptionPort: a closed link first tries to open its port again, without a message.
    bool OpenForReception() override;
    void PurgePort() override { m_serial.Purge(); }

    COptionsDlg m_dlgOptions;
    int m_bPortOpen = 0;
    // Stopped first when the link goes, so no handover reaches a reception being destroyed.
    CSerialEngine m_serial;

private:
    // 1 when the port opened (its worker runs), else 0.
    int OpenPort();
    // The settings' port is the system console and no variable names its device.
    [[nodiscard]] bool IsUnnamedConsole(int nPort) const;
    // A capture was opened: the settings are read again and the port opened with them.
    void OnCaptureOpened();

    CCaptureSession& m_session;
    CReception m_reception;
    int m_nOpenPort = 0; // the port and speed the running port was opened with
    int m_nOpenBaud = 0;
    SDeviceRoots m_deviceRoots;
    bool m_bConsoleReported = false;
    bool m_bShowingError = false;
    std::string m_strShownError;
    std::deque<std::string> m_waitingErrors;
};

} // namespace veldran

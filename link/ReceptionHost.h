#pragma once
// What the reception needs from the view that shows the capture and holds the serial port.

#include <string>

class QWidget;

namespace veldran {

class ReceptionHost {
public:
    virtual ~ReceptionHost() = default;
    virtual bool IsPortOpen() const = 0;          // m_bPortOpen
    virtual void PurgePort() = 0;                 // m_serial.Purge()
    virtual bool& LiveData() = 0;                 // the view's m_bLiveData
    virtual int& ViewSampleCount() = 0;           // the view's m_nSampleCount
    virtual void ResetView() = 0;
    virtual void LoadTraces() = 0;
    virtual void UpdateCursors() = 0;
    virtual void UpdatePositionBar() = 0;
    virtual void SetXPosData(const std::string& text) = 0; // sets m_strXPosData and writes it to the controls
    virtual void InvalidateView() = 0;
    virtual QWidget* TransferDialogOwner() = 0;   // the main window (disabled while the dialog exists)
};

} // namespace veldran

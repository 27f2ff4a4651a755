#pragma once
// What the reception asks of the others: the port it receives on, and the view that shows the
// capture while it arrives.

#include <string>

class QWidget;

namespace veldran {

// The instrument link's port, as the reception sees it.
class ReceptionPort {
public:
    virtual ~ReceptionPort() = default;
    // Whether a reception can start; a link that is closed may try to open its port again here.
    virtual bool OpenForReception() = 0;
    virtual void PurgePort() = 0;
};

// The view, as the reception sees it: what it is told to do, and the two values it keeps for it.
class ReceptionHost {
public:
    virtual ~ReceptionHost() = default;
    // Whether the view shows the listing that is arriving (false: the next byte resets the view).
    virtual bool IsLiveData() const = 0;
    virtual void SetLiveData(bool bLive) = 0;
    // The samples the view counts while a listing arrives.
    virtual void SetViewSampleCount(int nCount) = 0;
    virtual void ResetView() = 0;
    virtual void LoadTraces() = 0;
    virtual void UpdateCursors() = 0;
    virtual void UpdatePositionBar() = 0;
    virtual void SetXPosData(const std::string& text) = 0; // sets m_strXPosData and writes it to the controls
    virtual void InvalidateView() = 0;
    virtual QWidget* TransferDialogOwner() = 0;   // the main window (disabled while the dialog exists)
};

} // namespace veldran

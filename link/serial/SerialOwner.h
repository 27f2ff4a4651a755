#pragma once
// The seam between the serial engine's worker and the window that owns the port.

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>

namespace veldran {

class SerialOwner {
public:
    virtual ~SerialOwner() = default;
    // Runs on the user-interface thread while the worker waits; one call at a time, in order.
    virtual long OnSerialMessage(unsigned message, unsigned wParam, int lParam) = 0;
    // Shows the "Application Error" box (stop icon); runs on the user-interface thread.
    virtual void OnSerialError(const std::string& text) = 0;

    // The bytes of one read, in arrival order, on the user-interface thread while the worker
    // waits. bStopped becomes true when the engine is stopped or re-opened while the bytes are
    // handled (from a nested event loop); the bytes not yet handled then belong to nobody. By
    // default each byte goes to OnSerialMessage as WM_SERIAL_RXCHAR.
    virtual void OnSerialBytes(const unsigned char* pData, std::size_t nBytes, int lParam,
                               const std::atomic<bool>& bStopped);

    // The line is gone (adapter unplugged, far end closed); runs on the user-interface thread
    // just before the error box that reports it. The worker ends after that box.
    virtual void OnLineLost() {}
};

// Runs the given function later on the user-interface thread (the Qt side posts a queued call).
using UiPoster = std::function<void(std::function<void()>)>;

} // namespace veldran

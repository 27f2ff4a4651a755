#pragma once
// The seam between the serial engine's worker and the window that owns the port.

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
};

// Runs the given function later on the user-interface thread (the Qt side posts a queued call).
using UiPoster = std::function<void(std::function<void()>)>;

} // namespace veldran

#include "link/serial/SerialOwner.h"

#include "link/serial/SerialMessages.h"

namespace veldran {

void SerialOwner::OnSerialBytes(const unsigned char* pData, std::size_t nBytes, int lParam,
                                const std::atomic<bool>& bStopped)
{
    for (std::size_t n = 0; n < nBytes && !bStopped.load(); ++n)
        OnSerialMessage(WM_SERIAL_RXCHAR, pData[n], lParam);
}

} // namespace veldran

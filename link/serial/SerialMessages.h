#pragma once
// The messages the serial engine hands to its owner, and the line events an owner can ask for.
// The values are fixed: the view's handlers and the saved event masks use them as numbers.

#include <cstdint>

namespace veldran {

// Messages (wParam: the byte for WM_SERIAL_RXCHAR, else 0; lParam: the port number).
inline constexpr unsigned WM_SERIAL_BREAK = 0x703;
inline constexpr unsigned WM_SERIAL_CTS = 0x704;
inline constexpr unsigned WM_SERIAL_ERR = 0x706;
inline constexpr unsigned WM_SERIAL_RING = 0x707;
inline constexpr unsigned WM_SERIAL_RXCHAR = 0x709;
inline constexpr unsigned WM_SERIAL_RXFLAG = 0x70A;

// Event bits of the watched mask given to CSerialEngine::Open.
inline constexpr uint32_t EV_RXCHAR = 0x0001;
inline constexpr uint32_t EV_RXFLAG = 0x0002;
inline constexpr uint32_t EV_CTS = 0x0008;
inline constexpr uint32_t EV_BREAK = 0x0040;
inline constexpr uint32_t EV_ERR = 0x0080;
inline constexpr uint32_t EV_RING = 0x0100;

// Every bit the engine knows; a mask with any other bit is refused by the "SetCommMask()" step.
inline constexpr uint32_t EV_KNOWN = EV_RXCHAR | EV_RXFLAG | EV_CTS | EV_BREAK | EV_ERR | EV_RING;

// The view's mask: every byte, plus the CTS message that precedes the bytes of each wake.
inline constexpr uint32_t EV_VIEW_MASK = EV_RXCHAR | EV_CTS;

} // namespace veldran

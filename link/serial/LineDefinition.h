#pragma once
// The line definition text ("baud=9600 parity=N data=8 stop=1") and how it becomes terminal
// settings. Only what the instrument link can use is accepted; anything else is refused with
// EINVAL so that the port keeps the settings it had.

#include <string>

#include <termios.h>

namespace veldran {

struct SLineDefinition {
    int nBaud = 9600;
    char cParity = 'N';
    int nDataBits = 8;
    int nStopBits = 1;
};

[[nodiscard]] std::string FormatLineDefinition(int nBaud, char cParity, int nDataBits, int nStopBits);

// 0 on success, EINVAL for a malformed text or a value the port does not support (speeds other
// than 9600 and 1200, parity other than N/E/O, 5..8 data bits, 1 or 2 stop bits).
[[nodiscard]] int ParseLineDefinition(const std::string& text, SLineDefinition& definition);

// Raw mode (every byte passes unchanged), receiver on, modem lines ignored, then speed, parity, data and stop bits. 0 or EINVAL.
[[nodiscard]] int ApplyLineDefinition(const SLineDefinition& definition, termios& settings);

// Whether the device took the settings that matter for the link (drivers may drop what they cannot do).
[[nodiscard]] bool LineSettingsMatch(const termios& wanted, const termios& actual);

// The speed the settings' speed index selects: 1200 for any index above 0, else 9600.
[[nodiscard]] constexpr int BaudForSpeedIndex(int nSpeedIndex) { return nSpeedIndex > 0 ? 1200 : 9600; }

} // namespace veldran

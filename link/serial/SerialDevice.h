#pragma once
// The serial device behind a port number, and the configuration steps of an opened port.
// Each step carries the name the user sees in the error box when it fails.

#include <cstdint>
#include <string>

namespace veldran {

// "COMn" is /dev/ttyS(n-1) unless the environment variable VELDRAN_COMn names another device
// (a USB adapter, or the slave side of a pseudo-terminal). Empty for port numbers 0 and below.
[[nodiscard]] std::string DevicePathForPort(int nPort);

// Whether VELDRAN_COMn names the device of COMn: the user chose that device by name.
[[nodiscard]] bool PortNamedByVariable(int nPort);

// Opens the device for this program alone: -1 (errno set) when it is missing, is no terminal
// (ENOTTY: a regular file, /dev/null) or another program holds it. Exclusivity comes from flock,
// which binds root too, and TIOCEXCL, which keeps programs that do not use flock out. The
// device's settings (termios) are kept as they were at the open, for ClosePortDevice.
[[nodiscard]] int OpenPortDevice(const std::string& path);

// Puts back the settings the device had when OpenPortDevice opened it (a console or a getty on
// the line finds it as it left it), gives the device back to other programs and closes it.
void ClosePortDevice(int fd);

// Discards whatever the driver holds in both directions.
void PurgePort(int fd);

// The configuration step that failed: its call name and the errno value. Null name: all done.
struct SConfigFailure {
    const char* pszCall = nullptr;
    int nError = 0;
};

// Runs the configuration steps in order and stops at the first failure:
// "SetCommTimeouts()" reads never block (the worker waits in poll instead of a read timeout),
// "SetCommMask()" the watched events (unknown bits are refused; nPortMask stays 0 then),
// "GetCommState()" reads the device's settings, "BuildCommDCB()" applies the line definition,
// "SetCommState()" writes them, reads them back and holds RTS on.
[[nodiscard]] SConfigFailure ConfigurePort(int fd, const std::string& lineDefinition, uint32_t nEvents,
                                           uint32_t& nPortMask);

} // namespace veldran

#pragma once
// The command line of veldran-capture: which port, which speed, how long to wait for the
// listing, where the capture goes and in which format.

#include "link/serial/SerialPorts.h"

#include <cstdint>
#include <optional>
#include <string>

namespace veldran {

enum class ECaptureFormat { Vxr, Vcd, Csv, Sigrok, Unknown };

struct SCaptureOptions {
    std::string strDevice = "/dev/ttyS0"; // the device to open
    int nPort = 1;                        // COMn the device came from; 0 when named directly
    bool bPortNamed = false;              // --port was given (the system console is opened only then)
    int nBaud = 9600;
    int nTimeoutMs = -1;                  // how long to wait for the first byte; -1: for ever
    std::string strOutput;
    ECaptureFormat format = ECaptureFormat::Unknown;
    std::string strNames;                 // a capture file whose channel names are taken
    std::optional<uint64_t> nClockFs;     // --clock: the time of one sample; nothing for OFF
    bool bQuiet = false;
    bool bListPorts = false;
    bool bRecover = false;                // --recover: the interrupted listing's journal, not a port
    bool bHelp = false;
    bool bVersion = false;
    SDeviceRoots roots;                   // where devices and the console are looked up (tests: a folder)
};

// The manual page that --help prints.
extern const char* const kCaptureHelp;

// The format named by the file's extension (case does not matter).
[[nodiscard]] ECaptureFormat FormatForPath(const std::string& path);

// Fills options from argv. False with the reason in error, in the program's language, for anything
// the usage does not allow (an option that takes a value given twice, too).
[[nodiscard]] bool ParseCaptureArguments(int argc, const char* const* argv, SCaptureOptions& options,
                                         std::string& error);

} // namespace veldran

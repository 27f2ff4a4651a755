#include "capture/CaptureOptions.h"

#include "export/ExportCapture.h"
#include "export/ExportTime.h"
#include "help/Capture.h"
#include "i18n/CliText.h"
#include "link/serial/SerialDevice.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <set>

namespace veldran {

const char* const kCaptureHelp = help::kCaptureHelp;

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// "COM1".."COM4" in any case: the port number; 0 for anything else.
int PortNumber(const std::string& text)
{
    const std::string lower = Lower(text);
    if (lower.size() == 4 && lower.compare(0, 3, "com") == 0 && lower[3] >= '1' && lower[3] <= '4')
        return lower[3] - '0';
    return 0;
}

bool ParseSeconds(const std::string& text, int& nMs)
{
    char* pEnd = nullptr;
    const double dSeconds = std::strtod(text.c_str(), &pEnd);
    if (text.empty() || *pEnd != '\0' || !std::isfinite(dSeconds) || dSeconds <= 0 || dSeconds > 86400.0 * 24)
        return false;
    nMs = static_cast<int>(std::ceil(dSeconds * 1000.0));
    return true;
}

} // namespace

ECaptureFormat FormatForPath(const std::string& path)
{
    if (const std::optional<ExportFormat> format = ExportFormatFromPath(path)) {
        switch (*format) {
        case ExportFormat::Vcd: return ECaptureFormat::Vcd;
        case ExportFormat::Csv: return ECaptureFormat::Csv;
        case ExportFormat::SigrokSession: return ECaptureFormat::Sigrok;
        }
    }
    const std::string suffix = ".vxr";
    const std::size_t slash = path.find_last_of('/');
    const std::size_t nameLength = slash == std::string::npos ? path.size() : path.size() - slash - 1;
    if (nameLength > suffix.size() && Lower(path.substr(path.size() - suffix.size())) == suffix)
        return ECaptureFormat::Vxr;
    return ECaptureFormat::Unknown;
}

bool ParseCaptureArguments(int argc, const char* const* argv, SCaptureOptions& options, std::string& error)
{
    options = SCaptureOptions{};
    options.strDevice = DevicePathForPort(1);
    const auto fail = [&error](Message message) {
        error = CliText(message);
        return false;
    };
    std::set<std::string> given; // options that take a value, by their long name
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--quiet" || arg == "-q") {
            options.bQuiet = true;
            continue;
        }
        if (arg == "--recover") {
            options.bRecover = true;
            continue;
        }
        if (arg == "--list-ports") {
            options.bListPorts = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options.bHelp = true;
            continue;
        }
        if (arg == "--version") {
            options.bVersion = true;
            continue;
        }
        if (arg != "--port" && arg != "--baud" && arg != "--timeout" && arg != "--names" && arg != "--clock"
            && arg != "-o" && arg != "--output")
            return fail(Message(text::kCliUnknownOption, {arg}));
        if (i + 1 >= argc)
            return fail(Message(text::kCliNeedsValue, {arg}));
        // A second value would silently replace the first: the user meant one of them.
        const bool bOutput = arg == "-o" || arg == "--output";
        if (!given.insert(bOutput ? "--output" : arg).second)
            return fail(Message(text::kCliRepeatedOption, {bOutput ? "-o/--output" : arg}));
        const std::string value = argv[++i];
        if (arg == "--port") {
            if (value.empty())
                return fail(text::kCliBadPort);
            options.nPort = PortNumber(value);
            options.strDevice = options.nPort > 0 ? DevicePathForPort(options.nPort) : value;
            options.bPortNamed = true;
        } else if (arg == "--baud") {
            if (value != "9600" && value != "1200")
                return fail(text::kCliBadBaud);
            options.nBaud = std::atoi(value.c_str());
        } else if (arg == "--timeout") {
            if (!ParseSeconds(value, options.nTimeoutMs))
                return fail(text::kCliBadTimeout);
        } else if (arg == "--clock") {
            const auto period = ParseClockPeriod(value);
            if (!period)
                return fail(Message(text::kCliBadClock, {value}));
            options.nClockFs = *period;
        } else if (arg == "--names") {
            options.strNames = value;
        } else {
            options.strOutput = value;
        }
    }
    if (options.bHelp || options.bVersion || options.bListPorts)
        return true;
    if (options.strOutput.empty())
        return fail(text::kCliNoOutput);
    options.format = FormatForPath(options.strOutput);
    if (options.format == ECaptureFormat::Unknown)
        return fail(Message(text::kCliOutputSuffix, {options.strOutput}));
    return true;
}

} // namespace veldran

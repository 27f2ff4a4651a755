#include "capture/CaptureOptions.h"

#include "export/ExportCapture.h"
#include "help/Capture.h"
#include "link/serial/SerialDevice.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace veldran {

const char* const kCaptureHelp = help::kCaptureHelp;
const char* const kCaptureUsage = help::kCaptureUsage;

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
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--quiet" || arg == "-q") {
            options.bQuiet = true;
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
        if (arg != "--port" && arg != "--baud" && arg != "--timeout" && arg != "--names" && arg != "-o"
            && arg != "--output") {
            error = "unknown argument: " + arg;
            return false;
        }
        if (i + 1 >= argc) {
            error = arg + " needs a value";
            return false;
        }
        const std::string value = argv[++i];
        if (arg == "--port") {
            options.nPort = PortNumber(value);
            options.strDevice = options.nPort > 0 ? DevicePathForPort(options.nPort) : value;
            if (value.empty()) {
                error = "--port needs COM1..COM4 or a device";
                return false;
            }
        } else if (arg == "--baud") {
            if (value != "9600" && value != "1200") {
                error = "--baud takes 9600 or 1200";
                return false;
            }
            options.nBaud = std::atoi(value.c_str());
        } else if (arg == "--timeout") {
            if (!ParseSeconds(value, options.nTimeoutMs)) {
                error = "--timeout takes a number of seconds above 0";
                return false;
            }
        } else if (arg == "--names") {
            options.strNames = value;
        } else {
            options.strOutput = value;
        }
    }
    if (options.bHelp || options.bVersion || options.bListPorts)
        return true;
    if (options.strOutput.empty()) {
        error = "no output file (-o OUT.vxr|.vcd|.csv|.sr)";
        return false;
    }
    options.format = FormatForPath(options.strOutput);
    if (options.format == ECaptureFormat::Unknown) {
        error = "the output file must end in .vxr, .vcd, .csv or .sr: " + options.strOutput;
        return false;
    }
    return true;
}

} // namespace veldran

#include "convert/ConvertArguments.h"

#include "export/ExportTime.h"
#include "help/Convert.h"

namespace veldran {
namespace {

// The value of an option given as "--name VALUE" or "--name=VALUE"; advances i past it.
std::optional<std::string> OptionValue(const std::vector<std::string>& args, size_t& i, const std::string& name,
                                       std::string& error)
{
    const std::string& arg = args[i];
    if (arg.rfind(name + "=", 0) == 0)
        return arg.substr(name.size() + 1);
    if (arg != name)
        return std::nullopt;
    if (i + 1 >= args.size()) {
        error = "option " + name + " needs a value";
        return std::nullopt;
    }
    return args[++i];
}

} // namespace

ConvertArguments ParseConvertArguments(const std::vector<std::string>& args)
{
    ConvertArguments result;
    std::vector<std::string> files;
    std::optional<std::string> clockText;
    std::optional<std::string> formatText;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size() && result.strError.empty(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            files.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            result.bHelp = true;
        } else if (arg == "--version") {
            result.bVersion = true;
        } else if (auto clock = OptionValue(args, i, "--clock", result.strError)) {
            clockText = clock;
        } else if (auto format = OptionValue(args, i, "--format", result.strError)) {
            formatText = format;
        } else if (result.strError.empty()) {
            result.strError = "unknown option " + arg;
        }
    }
    if (!result.strError.empty() || result.bHelp || result.bVersion)
        return result;
    if (files.size() != 2) {
        result.strError = files.size() < 2 ? "an input and an output file are needed" : "too many file names";
        return result;
    }
    result.strInput = files[0];
    result.strOutput = files[1];
    if (clockText) {
        const auto period = ParseClockPeriod(*clockText);
        if (!period) {
            result.strError = "clock period '" + *clockText + "' is not a time such as 40ns, 2.5us, 1ms or OFF";
            return result;
        }
        result.nClockFs = *period;
    }
    const std::optional<ExportFormat> format =
        formatText ? ExportFormatFromName(*formatText) : ExportFormatFromPath(result.strOutput);
    if (!format) {
        result.strError = formatText ? "unknown format '" + *formatText + "' (vcd, csv or sr)"
                                     : "cannot tell the format from '" + result.strOutput +
                                           "': name it .vcd, .csv or .sr, or give --format";
        return result;
    }
    result.format = *format;
    return result;
}

std::string ConvertUsageHint(const std::string& program)
{
    return "Try '" + program + " --help' for more information.";
}

std::string ConvertManual()
{
    return help::kConvertHelp;
}

} // namespace veldran

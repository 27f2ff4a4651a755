#include "convert/ConvertArguments.h"

#include "export/ExportTime.h"
#include "help/Convert.h"
#include "i18n/CliText.h"

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
        error = CliText(Message(text::kCliNeedsValue, {name}));
        return std::nullopt;
    }
    return args[++i];
}

// Keeps the value of an option that takes one; a second value is an error, not a replacement.
void Keep(std::optional<std::string>& slot, std::string value, const std::string& name, std::string& error)
{
    if (slot)
        error = CliText(Message(text::kCliRepeatedOption, {name}));
    slot = std::move(value);
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
            Keep(clockText, *clock, "--clock", result.strError);
        } else if (auto format = OptionValue(args, i, "--format", result.strError)) {
            Keep(formatText, *format, "--format", result.strError);
        } else if (result.strError.empty()) {
            result.strError = CliText(Message(text::kCliUnknownOption, {arg}));
        }
    }
    if (!result.strError.empty() || result.bHelp || result.bVersion)
        return result;
    if (files.size() != 2) {
        result.strError = CliText(files.size() < 2 ? text::kCliFilesNeeded : text::kCliTooManyFiles);
        return result;
    }
    result.strInput = files[0];
    result.strOutput = files[1];
    if (clockText) {
        const auto period = ParseClockPeriod(*clockText);
        if (!period) {
            result.strError = CliText(Message(text::kCliBadClock, {*clockText}));
            return result;
        }
        result.nClockFs = *period;
    }
    const std::optional<ExportFormat> format =
        formatText ? ExportFormatFromName(*formatText) : ExportFormatFromPath(result.strOutput);
    if (!format) {
        result.strError = formatText ? CliText(Message(text::kCliUnknownFormat, {*formatText}))
                                     : CliText(Message(text::kCliFormatFromName, {result.strOutput}));
        return result;
    }
    result.format = *format;
    return result;
}

std::string ConvertManual()
{
    return help::kConvertHelp;
}

} // namespace veldran

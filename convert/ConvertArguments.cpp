#include "convert/ConvertArguments.h"

#include "export/ExportTime.h"
#include "help/Convert.h"
#include "i18n/CliOptions.h"
#include "i18n/CliText.h"

namespace veldran {

ConvertArguments ParseConvertArguments(const std::vector<std::string>& args)
{
    ConvertArguments result;
    const std::vector<std::string>& files = result.common.words;
    std::optional<std::string> clockText;
    std::optional<std::string> formatText;
    for (size_t i = 0; i < args.size() && result.strError.empty(); ++i) {
        const std::string& arg = args[i];
        if (TakeCommonArgument(arg, result.common)) {
        } else if (auto clock = CliOptionValue(args, i, "--clock", result.strError)) {
            KeepCliOption(clockText, *clock, "--clock", result.strError);
        } else if (auto format = CliOptionValue(args, i, "--format", result.strError)) {
            KeepCliOption(formatText, *format, "--format", result.strError);
        } else if (result.strError.empty()) {
            result.strError = CliText(Message(text::kCliUnknownOption, {arg}));
        }
    }
    if (!result.strError.empty() || result.common.bHelp || result.common.bVersion)
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

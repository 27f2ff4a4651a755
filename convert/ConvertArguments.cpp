#include "convert/ConvertArguments.h"

#include "export/ExportTime.h"
#include "help/Convert.h"
#include "i18n/CliText.h"

#include <cctype>
#include <tuple>
#include <utility>

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

std::optional<int64_t> SampleNumber(const std::string& text)
{
    if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoll(text);
}

std::optional<int> Side(const std::string& text)
{
    const std::optional<int64_t> side = SampleNumber(text);
    if (!side || *side < kPictureMinSide || *side > kPictureMaxSide)
        return std::nullopt;
    return static_cast<int>(*side);
}

bool IsPictureFormat(const std::string& name)
{
    std::string lower = name;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower == "svg" || lower == "png" || lower == "pdf";
}

std::string Suffix(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return path.substr(dot + 1);
}

// The picture options, read once the output is known to be a picture.
std::string ReadPicture(PictureRequest& picture, const std::optional<std::string>& cell, const std::optional<std::string>& from,
                        const std::optional<std::string>& to, const std::optional<std::string>& size)
{
    if (cell) {
        if (*cell != "1" && *cell != "2" && *cell != "3")
            return CliText(Message(text::kCliBadCell, {*cell}));
        picture.nCell = (*cell)[0] - '1';
    }
    for (const auto& [option, text, slot] : {std::tuple{"--from", &from, &picture.nFrom}, std::tuple{"--to", &to, &picture.nTo}}) {
        if (!*text)
            continue;
        *slot = SampleNumber(**text);
        if (!*slot)
            return CliText(Message(text::kCliNotASample, {option, **text}));
    }
    if (size) {
        const size_t x = size->find_first_of("xX");
        const std::optional<int> width = x == std::string::npos ? std::nullopt : Side(size->substr(0, x));
        const std::optional<int> height = x == std::string::npos ? std::nullopt : Side(size->substr(x + 1));
        if (!width || !height)
            return CliText(Message(text::kCliBadSize, {*size}));
        picture.nWidth = *width;
        picture.nHeight = *height;
    }
    return {};
}

} // namespace

ConvertArguments ParseConvertArguments(const std::vector<std::string>& args)
{
    ConvertArguments result;
    std::vector<std::string> files;
    std::optional<std::string> clockText;
    std::optional<std::string> formatText;
    std::optional<std::string> cellText, fromText, toText, sizeText;
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
        } else if (auto cell = OptionValue(args, i, "--cell", result.strError)) {
            Keep(cellText, *cell, "--cell", result.strError);
        } else if (auto from = OptionValue(args, i, "--from", result.strError)) {
            Keep(fromText, *from, "--from", result.strError);
        } else if (auto to = OptionValue(args, i, "--to", result.strError)) {
            Keep(toText, *to, "--to", result.strError);
        } else if (auto size = OptionValue(args, i, "--size", result.strError)) {
            Keep(sizeText, *size, "--size", result.strError);
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
    const std::string pictureName = formatText ? *formatText : Suffix(result.strOutput);
    if (IsPictureFormat(pictureName)) {
        result.picture.emplace();
        result.picture->strFormat = pictureName;
        result.strError = ReadPicture(*result.picture, cellText, fromText, toText, sizeText);
        return result;
    }
    for (const auto& [option, given] : {std::pair{"--cell", &cellText}, std::pair{"--from", &fromText},
                                        std::pair{"--to", &toText}, std::pair{"--size", &sizeText}}) {
        if (*given) {
            result.strError = CliText(Message(text::kCliPictureOnly, {option}));
            return result;
        }
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

#include "convert/ConvertArguments.h"

#include "export/ExportTime.h"
#include "help/Convert.h"
#include "i18n/CliOptions.h"
#include "i18n/CliText.h"

#include <cctype>
#include <tuple>
#include <utility>

namespace veldran {
namespace {

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

struct PictureOptions {
    std::optional<std::string> cell, from, to, size;
};

// The picture options, read once the output is known to be a picture.
std::string ReadPicture(PictureRequest& picture, const PictureOptions& given)
{
    if (given.cell) {
        if (*given.cell != "1" && *given.cell != "2" && *given.cell != "3")
            return CliText(Message(text::kCliBadCell, {*given.cell}));
        picture.nCell = (*given.cell)[0] - '1';
    }
    for (const auto& [option, text, slot] :
         {std::tuple{"--from", &given.from, &picture.nFrom}, std::tuple{"--to", &given.to, &picture.nTo}}) {
        if (!*text)
            continue;
        *slot = SampleNumber(**text);
        if (!*slot)
            return CliText(Message(text::kCliNotASample, {option, **text}));
    }
    if (given.size) {
        const size_t x = given.size->find_first_of("xX");
        const std::optional<int> width = x == std::string::npos ? std::nullopt : Side(given.size->substr(0, x));
        const std::optional<int> height = x == std::string::npos ? std::nullopt : Side(given.size->substr(x + 1));
        if (!width || !height)
            return CliText(Message(text::kCliBadSize, {*given.size}));
        picture.nWidth = *width;
        picture.nHeight = *height;
    }
    return {};
}

} // namespace

ConvertArguments ParseConvertArguments(const std::vector<std::string>& args)
{
    ConvertArguments result;
    const std::vector<std::string>& files = result.common.words;
    std::optional<std::string> clockText;
    std::optional<std::string> formatText;
    PictureOptions picture;
    for (size_t i = 0; i < args.size() && result.strError.empty(); ++i) {
        const std::string& arg = args[i];
        if (TakeCommonArgument(arg, result.common)) {
        } else if (auto clock = CliOptionValue(args, i, "--clock", result.strError)) {
            KeepCliOption(clockText, *clock, "--clock", result.strError);
        } else if (auto format = CliOptionValue(args, i, "--format", result.strError)) {
            KeepCliOption(formatText, *format, "--format", result.strError);
        } else if (auto cell = CliOptionValue(args, i, "--cell", result.strError)) {
            KeepCliOption(picture.cell, *cell, "--cell", result.strError);
        } else if (auto from = CliOptionValue(args, i, "--from", result.strError)) {
            KeepCliOption(picture.from, *from, "--from", result.strError);
        } else if (auto to = CliOptionValue(args, i, "--to", result.strError)) {
            KeepCliOption(picture.to, *to, "--to", result.strError);
        } else if (auto size = CliOptionValue(args, i, "--size", result.strError)) {
            KeepCliOption(picture.size, *size, "--size", result.strError);
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
    if (IsPictureFormat(formatText ? *formatText : Suffix(result.strOutput))) {
        result.picture.emplace();
        result.picture->strFormat = formatText ? *formatText : Suffix(result.strOutput);
        result.strError = ReadPicture(*result.picture, picture);
        return result;
    }
    for (const auto& [option, given] : {std::pair{"--cell", &picture.cell}, std::pair{"--from", &picture.from},
                                        std::pair{"--to", &picture.to}, std::pair{"--size", &picture.size}}) {
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

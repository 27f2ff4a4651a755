#include "analyze/AnalyzeArguments.h"

#include "export/ExportTime.h"
#include "help/Analyze.h"
#include "i18n/CliText.h"

#include <algorithm>
#include <charconv>

namespace veldran {
namespace {

// The options each command takes, besides --help and --version.
const std::vector<std::string>& OptionsOf(AnalyzeCommand command)
{
    static const std::vector<std::string> find{"--from", "--previous", "--count", "--all", "--json"};
    static const std::vector<std::string> measure{"--at", "--clock", "--json"};
    static const std::vector<std::string> edges{"--between", "--json"};
    static const std::vector<std::string> listing{"--bus", "--radix", "--from", "--to", "--clock", "--csv"};
    static const std::vector<std::string> decode{"-P", "-A", "--clock", "--json", "--csv"};
    switch (command) {
    case AnalyzeCommand::Find: return find;
    case AnalyzeCommand::Measure: return measure;
    case AnalyzeCommand::Edges: return edges;
    case AnalyzeCommand::Listing: return listing;
    case AnalyzeCommand::Decode: break;
    }
    return decode;
}

// A sample number: decimal digits only.
std::optional<int64_t> SampleNumber(const std::string& text, const std::string& option, std::string& error)
{
    int64_t value = 0;
    const char* const end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || text[0] == '-' || text[0] == '+' || ec != std::errc() || ptr != end) {
        error = CliText(Message(text::kCliNotASample, {option, text}));
        return std::nullopt;
    }
    return value;
}

// Options that ask for different answers from one find.
std::string Clash(const AnalyzeArguments& result)
{
    const std::pair<bool, const char*> answers[] = {
        {result.nFrom.has_value(), "--from"}, {result.bPrevious, "--previous"}, {result.bCount, "--count"}, {result.bAll, "--all"}};
    // --from and --previous go together; --count and --all go with neither nor with each other.
    for (size_t first = 0; first < 4; ++first)
        for (size_t second = std::max<size_t>(first + 1, 2); second < 4; ++second)
            if (answers[first].first && answers[second].first)
                return CliText(Message(text::kCliOptionsClash, {answers[first].second, answers[second].second}));
    return {};
}

// Takes the radix of the --bus buses; why not, or an empty string.
std::string TakeRadix(const std::string& word, AnalyzeArguments& result)
{
    if (result.busTexts.empty())
        return CliText(text::kCliRadixWithoutBus);
    const std::optional<ERadix> radix = ParseRadix(word);
    if (!radix)
        return CliText(Message(text::kCliBadRadix, {word}));
    result.eRadix = *radix;
    return {};
}


// sigrok-cli's decoder options, which may be given again: -P VALUE, -PVALUE, -P=VALUE or the
// long name. The value goes to `values`; false when args[i] is another option.
bool TakeRepeatable(const std::vector<std::string>& args, size_t& i, const char* shortName, const char* longName,
                    std::vector<std::string>& values, std::string& error)
{
    const std::string& arg = args[i];
    if (auto value = CliOptionValue(args, i, longName, error)) {
        values.push_back(std::move(*value));
        return true;
    }
    if (auto value = CliOptionValue(args, i, shortName, error)) {
        values.push_back(std::move(*value));
        return true;
    }
    if (arg.size() > 2 && arg.rfind(shortName, 0) == 0) {
        values.push_back(arg.substr(2));
        return true;
    }
    return !error.empty();
}

void TakeClock(AnalyzeArguments& result, const std::optional<std::string>& clock)
{
    if (!clock || !result.strError.empty())
        return;
    if (const auto period = ParseClockPeriod(*clock))
        result.nClockFs = *period;
    else
        result.strError = CliText(Message(text::kCliBadClock, {*clock}));
}

// decode CAPTURE -P ... [-A ...] [--clock P] [--json | --csv]
AnalyzeArguments& DecodeArguments(AnalyzeArguments& result, const std::optional<std::string>& clock)
{
    const std::vector<std::string>& words = result.common.words;
    if (words.size() < 2 || result.decoderStacks.empty())
        result.strError = CliText(Message(text::kCliCommandNeeds, {words[0], "CAPTURE -P DECODER"}));
    else if (words.size() > 2)
        result.strError = CliText(Message(text::kCliTooManyArguments, {words[2]}));
    else if (result.bJson && result.bCsv)
        result.strError = CliText(Message(text::kCliOptionsClash, {"--json", "--csv"}));
    else
        result.strCapture = words[1];
    TakeClock(result, clock);
    return result;
}

} // namespace

AnalyzeArguments ParseAnalyzeArguments(const std::vector<std::string>& args)
{
    AnalyzeArguments result;
    const std::vector<std::string>& words = result.common.words;
    std::vector<std::string> given;
    std::optional<std::string> from, to, at, clock, betweenX, radix;
    std::string betweenY;
    std::string& error = result.strError;
    for (size_t i = 0; i < args.size() && error.empty(); ++i) {
        const std::string& arg = args[i];
        if (TakeCommonArgument(arg, result.common)) {
        } else if (arg == "--previous" || arg == "--count" || arg == "--all" || arg == "--json" || arg == "--csv") {
            bool& flag = arg == "--previous" ? result.bPrevious
                         : arg == "--count"  ? result.bCount
                         : arg == "--all"    ? result.bAll
                         : arg == "--csv"    ? result.bCsv
                                             : result.bJson;
            flag = true;
            given.push_back(arg);
        } else if (TakeRepeatable(args, i, "-P", "--protocol-decoders", result.decoderStacks, error)) {
            given.emplace_back("-P");
        } else if (TakeRepeatable(args, i, "-A", "--protocol-decoder-annotations", result.annotationChoice, error)) {
            given.emplace_back("-A");
        } else if (auto value = CliOptionValue(args, i, "--from", error)) {
            KeepCliOption(from, *value, "--from", error);
            given.emplace_back("--from");
        } else if (auto value = CliOptionValue(args, i, "--to", error)) {
            KeepCliOption(to, *value, "--to", error);
            given.emplace_back("--to");
        } else if (auto value = CliOptionValue(args, i, "--bus", error)) {
            result.busTexts.push_back(*value); // one bus each time it is given
            given.emplace_back("--bus");
        } else if (auto value = CliOptionValue(args, i, "--radix", error)) {
            KeepCliOption(radix, *value, "--radix", error);
            given.emplace_back("--radix");
        } else if (auto value = CliOptionValue(args, i, "--at", error)) {
            KeepCliOption(at, *value, "--at", error);
            given.emplace_back("--at");
        } else if (auto value = CliOptionValue(args, i, "--clock", error)) {
            KeepCliOption(clock, *value, "--clock", error);
            given.emplace_back("--clock");
        } else if (auto value = CliOptionValue(args, i, "--between", error)) {
            KeepCliOption(betweenX, *value, "--between", error);
            if (i + 1 >= args.size())
                error = CliText(Message(text::kCliNeedsValue, {"--between"}));
            else
                betweenY = args[++i];
            given.emplace_back("--between");
        } else if (error.empty()) {
            error = CliText(Message(text::kCliUnknownOption, {arg}));
        }
    }
    if (!error.empty() || result.common.bHelp || result.common.bVersion)
        return result;
    if (words.empty()) {
        error = CliText(text::kCliNoCommand);
        return result;
    }
    const std::string& command = words[0];
    if (command == "find")
        result.command = AnalyzeCommand::Find;
    else if (command == "measure")
        result.command = AnalyzeCommand::Measure;
    else if (command == "edges")
        result.command = AnalyzeCommand::Edges;
    else if (command == "listing")
        result.command = AnalyzeCommand::Listing;
    else if (command == "decode")
        result.command = AnalyzeCommand::Decode;
    else {
        error = CliText(Message(text::kCliUnknownCommand, {command}));
        return result;
    }
    const std::vector<std::string>& allowed = OptionsOf(result.command);
    for (const std::string& option : given)
        if (std::find(allowed.begin(), allowed.end(), option) == allowed.end()) {
            error = CliText(Message(text::kCliUnknownOption, {option}));
            return result;
        }
    if (result.command == AnalyzeCommand::Decode)
        return DecodeArguments(result, clock);
    const bool bListing = result.command == AnalyzeCommand::Listing;
    const size_t wordCount = bListing ? 2 : 3;
    if (words.size() < wordCount) {
        const char* needs = bListing ? "CAPTURE" : result.command == AnalyzeCommand::Find ? "CAPTURE PATTERN" : "CAPTURE CHANNEL";
        error = CliText(Message(text::kCliCommandNeeds, {command, needs}));
        return result;
    }
    if (words.size() > wordCount) {
        error = CliText(Message(text::kCliTooManyArguments, {words[wordCount]}));
        return result;
    }
    result.strCapture = words[1];
    if (!bListing)
        result.strSubject = words[2];
    if (result.command == AnalyzeCommand::Measure && !at) {
        error = CliText(Message(text::kCliCommandNeeds, {command, "--at N"}));
        return result;
    }
    if (result.command == AnalyzeCommand::Edges && !betweenX) {
        error = CliText(Message(text::kCliCommandNeeds, {command, "--between X Y"}));
        return result;
    }
    if (from)
        result.nFrom = SampleNumber(*from, "--from", error);
    if (to && error.empty())
        result.nTo = SampleNumber(*to, "--to", error);
    if (radix && error.empty())
        error = TakeRadix(*radix, result);
    if (at && error.empty())
        result.nAt = SampleNumber(*at, "--at", error);
    if (betweenX && error.empty())
        result.nBetweenX = SampleNumber(*betweenX, "--between", error);
    if (betweenX && error.empty())
        result.nBetweenY = SampleNumber(betweenY, "--between", error);
    TakeClock(result, clock);
    if (error.empty())
        error = Clash(result);
    return result;
}

std::string AnalyzeManual()
{
    return help::kAnalyzeHelp;
}

} // namespace veldran

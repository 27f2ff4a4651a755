#include "analyze/DecodeCommand.h"

#include "analysis/ChannelRef.h"
#include "analyze/DecodeReport.h"
#include "decode/DecodeRun.h"
#include "decode/DecoderStackText.h"
#include "i18n/CliText.h"

#include <algorithm>

namespace veldran {
namespace {

std::vector<int> ClassesNamed(const DecoderInfo& decoder, const std::string& name)
{
    for (size_t cls = 0; cls < decoder.classes.size(); ++cls)
        if (decoder.classes[cls].strId == name)
            return {static_cast<int>(cls)};
    for (const AnnotationRowInfo& row : decoder.rows)
        if (row.strId == name)
            return row.classes;
    return {};
}

std::optional<Message> ParseChoiceOf(const std::string& text, const std::vector<DecoderStack>& stacks, AnnotationChoice& choice)
{
    const size_t equals = text.find('=');
    const std::string id(TrimBlanks(text.substr(0, equals)));
    const bool decoded = std::any_of(stacks.begin(), stacks.end(), [&](const DecoderStack& stack) {
        return std::any_of(stack.begin(), stack.end(), [&](const DecoderSetting& setting) { return setting.strDecoder == id; });
    });
    if (!decoded)
        return Message(text::kDecodeAnnotationsNotDecoded, {id});
    std::set<int>& classes = choice.classes[id];
    if (equals == std::string::npos)
        return std::nullopt;
    const DecoderInfo* decoder = FindInstalledDecoder(id);
    for (const std::string& name : SplitOutsideQuotes(std::string_view(text).substr(equals + 1), ':')) {
        const std::vector<int> named = decoder ? ClassesNamed(*decoder, name) : std::vector<int>{};
        if (named.empty())
            return Message(text::kDecodeUnknownAnnotation, {id, name});
        classes.insert(named.begin(), named.end());
    }
    return std::nullopt;
}

AnalyzeOutcome Refused(const Message& why)
{
    return {kAnalyzeUsage, {}, CliText(why)};
}

} // namespace

std::optional<Message> ParseDecoderStacks(const std::vector<std::string>& values, std::vector<DecoderStack>& stacks)
{
    for (const std::string& value : values)
        if (auto wrong = ParseDecoderStackText(value, stacks.emplace_back()))
            return wrong;
    return std::nullopt;
}

bool AnnotationChoice::Shows(const CAnnotationStore& store, const DecodedAnnotation& annotation) const
{
    if (bAll)
        return true;
    const auto chosen = classes.find(store.DecoderId(annotation));
    return chosen != classes.end() && (chosen->second.empty() || chosen->second.count(annotation.nClass) > 0);
}

std::optional<Message> ParseAnnotationChoice(const std::vector<std::string>& values, const std::vector<DecoderStack>& stacks,
                                             AnnotationChoice& choice)
{
    for (const std::string& value : values)
        for (const std::string& part : SplitOutsideQuotes(value, ',')) {
            choice.bAll = false;
            if (auto wrong = ParseChoiceOf(part, stacks, choice))
                return wrong;
        }
    return std::nullopt;
}

AnalyzeOutcome RunDecodeCommand(const AnalyzeArguments& args, const SampleStore& store, const ChannelNames& names)
{
    DecodeRequest request;
    request.capture = {store, names, args.nClockFs};
    if (auto wrong = ParseDecoderStacks(args.decoderStacks, request.stacks))
        return Refused(*wrong);
    AnnotationChoice choice;
    if (auto wrong = ParseAnnotationChoice(args.annotationChoice, request.stacks, choice))
        return Refused(*wrong);
    const DecodeOutcome outcome = RunDecode(request);
    const DecodeFormat format = args.bJson ? DecodeFormat::Json : args.bCsv ? DecodeFormat::Csv : DecodeFormat::Lines;
    if (outcome.error && outcome.nSamplesSent == 0 && outcome.annotations.Count() == 0)
        return Refused(*outcome.error);
    // A decoder that failed part way: what came before is printed, and why it stopped.
    AnalyzeOutcome result{kAnalyzeFound, DecodeReport(outcome.annotations, choice, format), {}};
    if (outcome.error) {
        result.nExit = kAnalyzeDecoderFailed;
        result.strError = CliText(*outcome.error);
    }
    return result;
}

} // namespace veldran

#include "analyze/AnalyzeRun.h"

#include "analysis/ChannelRef.h"
#include "analysis/Edges.h"
#include "analysis/Pattern.h"
#include "analysis/PatternErrorText.h"
#include "analysis/PulseMeasure.h"
#include "analyze/AnalyzeReport.h"
#include "analyze/DecodeCommand.h"
#include "i18n/CliText.h"

#include <vector>

namespace veldran {
namespace {

AnalyzeOutcome Refused(const Message& why)
{
    return {kAnalyzeUsage, {}, CliText(why)};
}

// Why a sample number given on the command line is no sample of the capture, or nothing.
std::optional<Message> OutsideCapture(const SampleStore& store, const std::optional<int64_t>& sample)
{
    if (!sample || *sample < store.nCount)
        return std::nullopt;
    if (store.nCount == 0)
        return Message(text::kCliEmptyCapture);
    return Message(text::kCliSampleOutside, {std::to_string(*sample), std::to_string(store.nCount - 1)});
}

AnalyzeOutcome Find(const AnalyzeArguments& args, const SampleStore& store, const ChannelNames& names)
{
    if (const auto outside = OutsideCapture(store, args.nFrom))
        return Refused(*outside);
    auto parsed = CPattern::Parse(args.strSubject, names);
    if (const auto* error = std::get_if<PatternError>(&parsed))
        return Refused(PatternErrorMessage(*error));
    const CPattern& pattern = std::get<CPattern>(parsed);
    const auto found = [](bool bAny) { return bAny ? kAnalyzeFound : kAnalyzeNothingFound; };
    if (args.bCount) {
        const int64_t count = CountMatches(store, pattern, store.nCount)->nTotal;
        return {found(count > 0), CountReport(count, args.bJson), {}};
    }
    if (args.bAll) {
        std::vector<int64_t> matches;
        ForEachMatch(store, pattern, [&](int64_t n) {
            matches.push_back(n);
            return true;
        });
        return {found(!matches.empty()), AllMatchesReport(matches, args.bJson), {}};
    }
    // Without --from the search starts just outside the capture, so that either end may match.
    const std::optional<int64_t> match = args.bPrevious ? FindPrevious(store, pattern, args.nFrom.value_or(store.nCount))
                                                        : FindNext(store, pattern, args.nFrom.value_or(-1));
    return {found(match.has_value()), MatchReport(match, args.bJson), {}};
}

} // namespace

AnalyzeOutcome RunAnalysis(const AnalyzeArguments& args, const SampleStore& store, const ChannelNames& names)
{
    if (args.command == AnalyzeCommand::Find)
        return Find(args, store, names);
    if (args.command == AnalyzeCommand::Decode)
        return RunDecodeCommand(args, store, names);
    const std::optional<int> channel = ParseChannel(args.strSubject, names);
    if (!channel)
        return Refused(Message(text::kCliUnknownChannel, {args.strSubject}));
    if (args.command == AnalyzeCommand::Measure) {
        if (const auto outside = OutsideCapture(store, args.nAt))
            return Refused(*outside);
        return {kAnalyzeFound, MeasureReport(MeasureAt(store, *channel, *args.nAt), args.nClockFs, args.bJson), {}};
    }
    for (const auto& sample : {args.nBetweenX, args.nBetweenY})
        if (const auto outside = OutsideCapture(store, sample))
            return Refused(*outside);
    return {kAnalyzeFound, EdgesReport(CountEdges(store, *channel, *args.nBetweenX, *args.nBetweenY), args.bJson), {}};
}

} // namespace veldran

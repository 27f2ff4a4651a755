#include "analyze/AnalyzeListing.h"

#include "annotations/BusDefinition.h"
#include "annotations/SidecarFile.h"
#include "analyze/ListingTable.h"
#include "i18n/CliText.h"

#include <variant>

namespace veldran {

ListingBuses ChooseListingBuses(const AnalyzeArguments& args, const ChannelNames& names, const std::string& sidecarPath,
                                int64_t sampleCount)
{
    ListingBuses result;
    for (const std::string& text : args.busTexts) {
        std::variant<Bus, Message> parsed = ParseBusDefinition(text, names);
        if (const auto* refused = std::get_if<Message>(&parsed)) {
            result.strError = CliLine(*refused);
            return result;
        }
        result.buses.push_back(std::get<Bus>(std::move(parsed)));
        result.buses.back().eRadix = args.eRadix;
    }
    if (!args.busTexts.empty())
        return result;
    SidecarRead sidecar = ReadSidecar(sidecarPath, sampleCount);
    // A damaged or unreadable sidecar gives nothing but its message; one read in part gives the rest.
    if (sidecar.message && sidecar.annotations.Empty()) {
        result.strError = CliLine(*sidecar.message);
        return result;
    }
    if (sidecar.message)
        result.strWarning = CliLine(*sidecar.message);
    result.buses = std::move(sidecar.annotations.buses);
    if (result.buses.empty())
        result.strError = CliText(Message(text::kCliNoBuses, {sidecarPath}));
    return result;
}

AnalyzeOutcome RunListing(const AnalyzeArguments& args, const SampleStore& store, const std::vector<Bus>& buses,
                          const ListingSink& sink)
{
    const int64_t from = args.nFrom.value_or(0);
    const int64_t to = args.nTo.value_or(store.nCount - 1);
    if (const std::optional<Message> problem = ListingRangeProblem(store, from, to))
        return {kAnalyzeUsage, {}, CliText(*problem)};
    if (args.bCsv) {
        const std::optional<Message> refused = WriteBusListing(store, from, to, args.nClockFs, buses, sink);
        return {refused ? kAnalyzeUsage : kAnalyzeFound, {}, refused ? CliText(*refused) : std::string()};
    }
    WriteListingTable(store, from, to, args.nClockFs, buses,
                      {CliText(text::kListingSampleHead), CliText(text::kListingTimeHead)}, sink);
    return {};
}

} // namespace veldran

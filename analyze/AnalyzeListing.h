#pragma once
// veldran-analyze listing: the buses it lists, and the rows it writes for them, as comma-separated
// values or as a table to read.

#include "analysis/SampleStore.h"
#include "annotations/Bus.h"
#include "annotations/BusListing.h"
#include "analyze/AnalyzeArguments.h"
#include "analyze/AnalyzeRun.h"
#include "document/CaptureDocument.h"

#include <string>
#include <vector>

namespace veldran {

struct ListingBuses {
    std::vector<Bus> buses;
    std::string strWarning; // the sidecar was read only in part: what was left out
    std::string strError;   // non-empty: the listing is refused, and why
};

// The buses given with --bus, each in the radix of --radix; without --bus, those the capture's
// sidecar file at sidecarPath holds. A sidecar that could not be used at all refuses the listing
// with its own message; so does the lack of any bus.
[[nodiscard]] ListingBuses ChooseListingBuses(const AnalyzeArguments& args, const ChannelNames& names,
                                              const std::string& sidecarPath, int64_t sampleCount);

// Writes the samples --from … --to (the whole capture without them) to the sink; kAnalyzeUsage and
// why when the range is no range of the capture, and then nothing is written.
[[nodiscard]] AnalyzeOutcome RunListing(const AnalyzeArguments& args, const SampleStore& store,
                                        const std::vector<Bus>& buses, const ListingSink& sink);

} // namespace veldran

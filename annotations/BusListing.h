#pragma once
// The rows of a bus listing as comma-separated values, for the listing dock and for
// `veldran-analyze listing`: a header (sample, then time_s when the clock period is known, then one
// column per bus, named as the bus is), then one row per sample of the range, each bus's value in
// its radix. Lines end in CR LF and fields are quoted where RFC 4180 asks for it. The text goes to
// the sink in pieces of some tens of kilobytes as it is made; the rows are never all in memory.

#include "annotations/Bus.h"
#include "analysis/SampleStore.h"
#include "resources/Message.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldran {

using ListingSink = std::function<void(std::string_view)>;

// Lists samples from … to, both included. periodFs is the clock period in femtoseconds (as
// export/ExportTime.h holds it); time_s is then sample × period in seconds, exact. Nothing is
// written, and the message says why, when the range is not within the capture.
[[nodiscard]] std::optional<Message> WriteBusListing(const SampleStore& store, int64_t from, int64_t to,
                                                     std::optional<uint64_t> periodFs, const std::vector<Bus>& buses,
                                                     const ListingSink& sink);

// Why from … to (both included) is no range of the capture's samples, or nothing.
[[nodiscard]] std::optional<Message> ListingRangeProblem(const SampleStore& store, int64_t from, int64_t to);

// A field as written: in double quotes, with quotes inside doubled, when it holds a comma, a
// quote, a line break or blanks at either end; as it is otherwise.
[[nodiscard]] std::string CsvQuoted(std::string_view text);

// count × periodFs femtoseconds in seconds, a plain decimal with no trailing zeros: "0",
// "0.00000004", "12.5".
void AppendFemtoseconds(std::string& out, uint64_t count, uint64_t periodFs);

} // namespace veldran

#pragma once
// What veldran-analyze prints on standard output: one JSON object, or lines to read in the
// program's language. Sample numbers are whole numbers; a figure that cannot be had is null (or
// "none"), so are the times with the clock OFF.

#include "analysis/Edges.h"
#include "analysis/PulseMeasure.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace veldran {

// find: the match found, if any.
[[nodiscard]] std::string MatchReport(std::optional<int64_t> match, bool bJson);
// find --count: how many samples match.
[[nodiscard]] std::string CountReport(int64_t count, bool bJson);
// find --all: every match, in order.
[[nodiscard]] std::string AllMatchesReport(const std::vector<int64_t>& matches, bool bJson);
// measure: the pulse, with its times when the clock period (femtoseconds) is known.
[[nodiscard]] std::string MeasureReport(const PulseMeasure& pulse, std::optional<uint64_t> clockFs, bool bJson);
// edges: the edges counted between two samples.
[[nodiscard]] std::string EdgesReport(const EdgeCounts& counts, bool bJson);

// A double in JSON: the shortest text that reads back as the same number.
[[nodiscard]] std::string JsonNumber(double value);

} // namespace veldran

#pragma once
// A bus listing as a table to read on a terminal: a line of column heads, then one line a sample,
// each column right-aligned under its head and two blanks apart. The sample number, its time in
// seconds when the clock is known (with as many decimals as the period has, so that every row has
// the same), then one column per bus, its value in its radix. Handed to the sink in pieces as it is
// made, as WriteBusListing does.

#include "annotations/Bus.h"
#include "annotations/BusListing.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldran {

struct ListingHeads {
    std::string strSample; // the head of the sample column, in the program's language
    std::string strTime;   // the head of the time column
};

// Lists samples from … to, both included (checked by ListingRangeProblem beforehand); periodFs as
// for WriteBusListing.
void WriteListingTable(const SampleStore& store, int64_t from, int64_t to, std::optional<uint64_t> periodFs,
                       const std::vector<Bus>& buses, const ListingHeads& heads, const ListingSink& sink);

// The columns a text takes on a terminal: one a code point, two for the wide ones of East Asian
// scripts (Hangul, CJK, full-width forms).
[[nodiscard]] size_t TerminalWidth(std::string_view text);

} // namespace veldran

#pragma once
// Edges of a capture. There is an edge at n on a channel when n ≥ 1 and its level at n differs
// from its level at n − 1; the ends of the capture are not edges. A set of channels is a 48-bit
// mask (bit c = channel c); an edge of the set is an edge of any of its channels.

#include "analysis/SampleStore.h"

#include <cstdint>
#include <optional>

namespace veldran {

[[nodiscard]] constexpr uint64_t ChannelBit(int channel) { return uint64_t{1} << channel; }

// The first edge strictly after `from` (from may be −1), or nothing.
[[nodiscard]] std::optional<int64_t> NextEdge(const SampleStore& store, uint64_t channels, int64_t from);
// The last edge strictly before `from` (from may be nCount), or nothing.
[[nodiscard]] std::optional<int64_t> PreviousEdge(const SampleStore& store, uint64_t channels, int64_t from);

// Edges e of one channel with min(x, y) < e ≤ max(x, y); x = y gives zeros.
struct EdgeCounts {
    int64_t nRising = 0;
    int64_t nFalling = 0;
    int64_t nTotal = 0;
};
[[nodiscard]] EdgeCounts CountEdges(const SampleStore& store, int channel, int64_t x, int64_t y);

} // namespace veldran

#include "analysis/Edges.h"

#include "analysis/SamplePacking.h"

#include <algorithm>

namespace veldran {
namespace {

// The lowest set bit of a set of channels when the set is one channel, else −1: one channel's
// edges are found by striding over its byte alone.
int SingleChannel(uint64_t channels)
{
    if (channels == 0 || (channels & (channels - 1)) != 0)
        return -1;
    int channel = 0;
    while (!(channels & ChannelBit(channel)))
        ++channel;
    return channel;
}

} // namespace

std::optional<int64_t> NextEdge(const SampleStore& store, uint64_t channels, int64_t from)
{
    const int64_t first = std::max<int64_t>(from + 1, 1);
    if (first >= store.nCount || channels == 0)
        return std::nullopt;
    if (const int channel = SingleChannel(channels); channel >= 0) {
        const uint8_t* level = store.pLevels + first * 48 + channel;
        uint8_t previous = level[-48];
        for (int64_t n = first; n < store.nCount; ++n, level += 48) {
            if (*level != previous)
                return n;
        }
        return std::nullopt;
    }
    uint64_t previous = PackSample(store, first - 1) & channels;
    for (int64_t n = first; n < store.nCount; ++n) {
        const uint64_t word = PackSample(store, n) & channels;
        if (word != previous)
            return n;
        previous = word;
    }
    return std::nullopt;
}

std::optional<int64_t> PreviousEdge(const SampleStore& store, uint64_t channels, int64_t from)
{
    const int64_t last = std::min(from - 1, store.nCount - 1);
    if (last < 1 || channels == 0)
        return std::nullopt;
    if (const int channel = SingleChannel(channels); channel >= 0) {
        const uint8_t* level = store.pLevels + last * 48 + channel;
        uint8_t later = *level;
        for (int64_t n = last; n >= 1; --n) {
            level -= 48;
            if (*level != later)
                return n;
        }
        return std::nullopt;
    }
    uint64_t later = PackSample(store, last) & channels;
    for (int64_t n = last; n >= 1; --n) {
        const uint64_t word = PackSample(store, n - 1) & channels;
        if (word != later)
            return n;
        later = word;
    }
    return std::nullopt;
}

EdgeCounts CountEdges(const SampleStore& store, int channel, int64_t x, int64_t y)
{
    EdgeCounts counts;
    const int64_t first = std::max<int64_t>(std::min(x, y) + 1, 1);
    const int64_t last = std::min(std::max(x, y), store.nCount - 1);
    if (first > last)
        return counts;
    const uint8_t* level = store.pLevels + first * 48 + channel;
    uint8_t previous = level[-48];
    for (int64_t n = first; n <= last; ++n, level += 48) {
        counts.nRising += previous < *level;
        counts.nFalling += previous > *level;
        previous = *level;
    }
    counts.nTotal = counts.nRising + counts.nFalling;
    return counts;
}

} // namespace veldran

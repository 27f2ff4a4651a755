#include "analysis/Edges.h"

namespace veldran {
namespace {

// Whether any channel of the set changes its level between n − 1 and n (1 ≤ n < nCount).
bool IsEdge(const SampleStore& store, uint64_t channels, int64_t n)
{
    for (int c = 0; c < 48; ++c)
        if ((channels & ChannelBit(c)) != 0 && store.Level(n, c) != store.Level(n - 1, c))
            return true;
    return false;
}

} // namespace

std::optional<int64_t> NextEdge(const SampleStore& store, uint64_t channels, int64_t from)
{
    for (int64_t n = from < 0 ? 1 : from + 1; n < store.nCount; ++n)
        if (IsEdge(store, channels, n))
            return n;
    return std::nullopt;
}

std::optional<int64_t> PreviousEdge(const SampleStore& store, uint64_t channels, int64_t from)
{
    for (int64_t n = (from > store.nCount ? store.nCount : from) - 1; n >= 1; --n)
        if (IsEdge(store, channels, n))
            return n;
    return std::nullopt;
}

} // namespace veldran

// Searching a capture for a pattern. Each pass packs every sample it visits once and keeps the word
// of its neighbour, so a sample costs three loads and a few mask operations; a pass of a million
// samples takes about as long as reading the store once.

#include "analysis/Pattern.h"

#include "analysis/SamplePacking.h"

#include <algorithm>

namespace veldran {
namespace {

// How many samples a counting pass does between looks at `cancel` and calls of `progress`.
constexpr int64_t kReportEvery = 65536;

// Calls found(n) for each match n in [first, end) in order until it returns false.
template <typename Found>
void ScanForward(const SampleStore& store, const CPattern& pattern, int64_t first, int64_t end, Found&& found)
{
    first = std::max<int64_t>(first, 0);
    end = std::min(end, store.nCount);
    if (first >= end)
        return;
    uint64_t previous = PackSample(store, first > 0 ? first - 1 : 0);
    for (int64_t n = first; n < end; ++n) {
        const uint64_t levels = PackSample(store, n);
        if (pattern.MatchesWords(levels, previous) && !found(n))
            return;
        previous = levels;
    }
}

} // namespace

std::optional<int64_t> FindNext(const SampleStore& store, const CPattern& pattern, int64_t from)
{
    std::optional<int64_t> match;
    ScanForward(store, pattern, std::max<int64_t>(from, -1) + 1, store.nCount, [&](int64_t n) {
        match = n;
        return false;
    });
    return match;
}

std::optional<int64_t> FindPrevious(const SampleStore& store, const CPattern& pattern, int64_t from)
{
    const int64_t last = std::min(from - 1, store.nCount - 1);
    if (last < 0)
        return std::nullopt;
    uint64_t levels = PackSample(store, last);
    for (int64_t n = last; n > 0; --n) {
        const uint64_t previous = PackSample(store, n - 1);
        if (pattern.MatchesWords(levels, previous))
            return n;
        levels = previous;
    }
    return pattern.MatchesWords(levels, levels) ? std::optional<int64_t>(0) : std::nullopt;
}

std::optional<MatchCount> CountMatches(const SampleStore& store, const CPattern& pattern, int64_t upTo,
                                       const std::function<void(int64_t)>& progress, const std::atomic<bool>* cancel)
{
    MatchCount count;
    for (int64_t first = 0; first < store.nCount; first += kReportEvery) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return std::nullopt;
        const int64_t end = std::min(first + kReportEvery, store.nCount);
        ScanForward(store, pattern, first, end, [&](int64_t n) {
            ++count.nTotal;
            count.nAtOrBefore += n <= upTo;
            return true;
        });
        if (progress)
            progress(end);
    }
    return count;
}

void ForEachMatch(const SampleStore& store, const CPattern& pattern, const std::function<bool(int64_t)>& each)
{
    ScanForward(store, pattern, 0, store.nCount, [&](int64_t n) { return each(n); });
}

} // namespace veldran

#pragma once
// A search pattern: terms joined by commas, all of which must hold at a sample n.
//   CH=0|1|h|l       the channel's level (h = 1, l = 0)
//   CH=r|f|e         a rising, falling or either edge at n (so never at n = 0)
//   A..B=V[/M]       a bus of channels A down to (or up to) B, A the most significant bit, equal
//                    to V under mask M (all ones without one); V and M decimal, 0x… or 0b…
// CH, A and B are channel names as ChannelRef.h reads them. Channels not named do not matter.

#include "analysis/SampleStore.h"
#include "document/CaptureDocument.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace veldran {

// Why a pattern was refused; the term is the text of the term at fault as the user wrote it.
enum class EPatternError { EmptyTerm, UnknownChannel, BadValue, ValueTooWide };
struct PatternError {
    EPatternError eReason = EPatternError::EmptyTerm;
    std::string strTerm;
};

class CPattern {
public:
    [[nodiscard]] static std::variant<CPattern, PatternError> Parse(std::string_view text, const ChannelNames& names);

    [[nodiscard]] bool MatchesAt(const SampleStore& store, int64_t n) const;

    // Whether a sample whose levels pack to `levels` (bit c = channel c), after a sample packing to
    // `previous`, matches; for sample 0, which has no edges, previous is levels itself.
    [[nodiscard]] bool MatchesWords(uint64_t levels, uint64_t previous) const
    {
        const uint64_t edges = levels ^ previous;
        return ((levels & m_nLevelMask) == m_nLevelValue) & ((edges & m_nAnyEdge) == m_nAnyEdge) &
               ((edges & levels & m_nRising) == m_nRising) & ((edges & ~levels & m_nFalling) == m_nFalling);
    }

    // The levels that must hold (bit c = channel c) and which of them do: a sample matches the
    // level terms when (levels & m_nLevelMask) == m_nLevelValue. Terms that ask one channel for
    // both levels set kNeverMatches, a bit no sample has, so that nothing matches.
    static constexpr uint64_t kNeverMatches = uint64_t{1} << 63;
    uint64_t m_nLevelMask = 0;
    uint64_t m_nLevelValue = 0;
    // Channels that need a rising, a falling, or any edge at n.
    uint64_t m_nRising = 0;
    uint64_t m_nFalling = 0;
    uint64_t m_nAnyEdge = 0;
};

// The smallest match n > from (from may be −1) / the largest match n < from (from may be nCount).
[[nodiscard]] std::optional<int64_t> FindNext(const SampleStore& store, const CPattern& pattern, int64_t from);
[[nodiscard]] std::optional<int64_t> FindPrevious(const SampleStore& store, const CPattern& pattern, int64_t from);

// One pass over the capture: how many samples match, and how many of them are at or before
// `upTo` (the "k" of "k of M" for a cursor at a match). `progress` gets the samples done so far
// now and then (it may be empty); a set `cancel` stops the pass early, and the result is then
// nothing.
struct MatchCount {
    int64_t nTotal = 0;
    int64_t nAtOrBefore = 0;
};
[[nodiscard]] std::optional<MatchCount> CountMatches(const SampleStore& store, const CPattern& pattern, int64_t upTo,
                                                     const std::function<void(int64_t)>& progress = {},
                                                     const std::atomic<bool>* cancel = nullptr);

// Each match in order, to `each`; stops when `each` returns false.
void ForEachMatch(const SampleStore& store, const CPattern& pattern, const std::function<bool(int64_t)>& each);

} // namespace veldran

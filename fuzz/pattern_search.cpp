// Feeds arbitrary pattern texts and small captures to the analyses. The text is the input up to its
// first newline; the bytes after it are samples, six bytes (48 levels) each, up to 64 of them. The
// channels carry user names that look like the places where a reader goes wrong: blanks, commas,
// quotes, a name that reads as a D-form, Korean. Whatever the text:
// - reading it never fails other than with a reason, and a refused term is a piece of the text;
// - a pattern that is read finds, counts and lists the same samples as asking every sample in turn,
//   in both directions, from every cursor;
// - the edges and the pulse at every sample agree with looking at neighbouring levels.

#include "analysis/Edges.h"
#include "analysis/Pattern.h"
#include "analysis/PulseMeasure.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

using namespace veldran;

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

ChannelNames TrickyNames()
{
    ChannelNames names;
    names[0] = "clk";
    names[1] = "ADDR 0";
    names[2] = "a,b";
    names[3] = "say \"hi\"";
    names[4] = "D9";
    names[5] = "데이터";
    names[6] = "=";
    names[7] = "CLK"; // the same as channel 0's ignoring case: the first wins
    return names;
}

bool EdgeAt(const SampleStore& store, int channel, int64_t n)
{
    return n >= 1 && store.Level(n, channel) != store.Level(n - 1, channel);
}

void CheckSearches(const SampleStore& store, const CPattern& pattern)
{
    std::vector<int64_t> matches;
    for (int64_t n = 0; n < store.nCount; ++n)
        if (pattern.MatchesAt(store, n))
            matches.push_back(n);

    std::vector<int64_t> listed;
    ForEachMatch(store, pattern, [&](int64_t n) {
        listed.push_back(n);
        return true;
    });
    Require(listed == matches);

    for (int64_t from = -1; from <= store.nCount; ++from) {
        std::optional<int64_t> next;
        std::optional<int64_t> previous;
        int64_t atOrBefore = 0;
        for (const int64_t n : matches) {
            if (n > from && !next)
                next = n;
            if (n < from)
                previous = n;
            atOrBefore += n <= from;
        }
        Require(FindNext(store, pattern, from) == next);
        Require(FindPrevious(store, pattern, from) == previous);
        const auto count = CountMatches(store, pattern, from);
        Require(count && count->nTotal == static_cast<int64_t>(matches.size()) && count->nAtOrBefore == atOrBefore);
    }
}

void CheckEdges(const SampleStore& store)
{
    for (int channel = 0; channel < kChannelCount; channel += 7) {
        for (int64_t x = 0; x < store.nCount; ++x) {
            std::optional<int64_t> e0;
            std::optional<int64_t> e1;
            std::optional<int64_t> e2;
            for (int64_t n = 0; n < store.nCount; ++n) {
                if (!EdgeAt(store, channel, n))
                    continue;
                if (n <= x)
                    e0 = n;
                else if (!e1)
                    e1 = n;
                else if (!e2)
                    e2 = n;
            }
            Require(NextEdge(store, ChannelBit(channel), x) == e1);
            const PulseMeasure pulse = MeasureAt(store, channel, x);
            Require(pulse.nLevel == store.Level(x, channel));
            Require(pulse.width == ((e0 && e1) ? std::optional<int64_t>(*e1 - *e0) : std::nullopt));
            Require(pulse.period == ((e0 && e2) ? std::optional<int64_t>(*e2 - *e0) : std::nullopt));
            Require(pulse.duty.has_value() == pulse.period.has_value());
            if (pulse.duty)
                Require(*pulse.duty >= 0.0 && *pulse.duty <= 1.0);

            const int64_t y = store.nCount - 1 - x;
            EdgeCounts expected;
            for (int64_t n = std::min(x, y) + 1; n <= std::max(x, y); ++n) {
                if (!EdgeAt(store, channel, n))
                    continue;
                ++expected.nTotal;
                ++(store.Level(n, channel) ? expected.nRising : expected.nFalling);
            }
            const EdgeCounts counted = CountEdges(store, channel, x, y);
            Require(counted.nRising == expected.nRising && counted.nFalling == expected.nFalling &&
                    counted.nTotal == expected.nTotal);
        }
    }
    for (int64_t from = 0; from <= store.nCount; ++from) {
        std::optional<int64_t> previous;
        for (int64_t n = 1; n < from; ++n)
            for (int channel = 0; channel < kChannelCount; ++channel)
                if (EdgeAt(store, channel, n)) {
                    previous = n;
                    break;
                }
        Require(PreviousEdge(store, ~uint64_t{0} >> 16, from) == previous);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t newline = input.find('\n');
    const std::string_view text = input.substr(0, newline);
    const std::string_view rest = newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1);

    std::vector<uint8_t> levels;
    for (size_t at = 0; at + 6 <= rest.size() && levels.size() < 64 * 48; at += 6)
        for (int channel = 0; channel < kChannelCount; ++channel)
            levels.push_back(static_cast<uint8_t>((static_cast<uint8_t>(rest[at + channel / 8]) >> (channel % 8)) & 1));
    const SampleStore store{levels.data(), static_cast<int64_t>(levels.size() / 48)};

    const auto parsed = CPattern::Parse(text, TrickyNames());
    if (const auto* error = std::get_if<PatternError>(&parsed)) {
        Require(text.find(error->strTerm) != std::string_view::npos);
        Require(error->eReason == EPatternError::EmptyTerm || !error->strTerm.empty());
    } else {
        CheckSearches(store, std::get<CPattern>(parsed));
    }
    CheckEdges(store);
    return 0;
}

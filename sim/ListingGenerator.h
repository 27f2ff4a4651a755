#pragma once
// The state listing the instrument sends when its STATE button is pressed: a header whose words
// the receiver keeps as exactly 12 tokens ("STATE" first; none of them four characters long, so
// none counts as a listing line), then one line per sample with a four-digit line number and the
// three 16-channel cells in radix BIN, most significant channel first. Lines end in CR LF.

#include <cstdint>
#include <string>

namespace veldran::sim {

enum class EPattern { Counter, Clock, Walking, Random };

struct SListingOptions {
    int nLines = 100;
    EPattern pattern = EPattern::Counter;
    uint32_t nSeed = 1;
};

// Most samples per listing: a capture file holds its sample count in five digits. Longer
// requests are cut to it; line numbers keep four digits by starting again at 0000.
inline constexpr int kMaxListingLines = 99999;

[[nodiscard]] bool ParsePattern(const std::string& name, EPattern& pattern);
[[nodiscard]] const char* PatternName(EPattern pattern);

// The 48 channel levels of sample i for the deterministic patterns (bit ch = channel ch):
// counter: cell 1 counts up, cell 2 counts down, cell 3 holds the Gray code of the count;
// clock: channel b of cell 1 toggles every b + 1 samples, cell 2 is cell 1 inverted, channel b of
// cell 3 toggles every 2^b samples; walking: one high channel steps through all 48.
[[nodiscard]] uint64_t PatternLevels(EPattern pattern, int nSample);

// One listing line: "0012 0000000000001100 1111111111110011 0000000000001010\r\n".
[[nodiscard]] std::string ListingLine(int nSample, uint64_t nLevels);

[[nodiscard]] std::string ListingHeader(const SListingOptions& options);

// The whole listing; the random pattern is reproducible from its seed.
[[nodiscard]] std::string GenerateListing(const SListingOptions& options);

} // namespace veldran::sim

#include "sim/ListingGenerator.h"

#include <algorithm>
#include <cstdio>
#include <random>

namespace veldran::sim {

namespace {

constexpr uint64_t kCellMask = 0xFFFF;

uint64_t Cells(uint64_t nCell1, uint64_t nCell2, uint64_t nCell3)
{
    return (nCell1 & kCellMask) | (nCell2 & kCellMask) << 16 | (nCell3 & kCellMask) << 32;
}

// Channel b of the cell toggles every b + 1 samples.
uint64_t DividerCell(uint64_t nTime)
{
    uint64_t nCell = 0;
    for (uint64_t nBit = 0; nBit < 16; ++nBit)
        nCell |= ((nTime / (nBit + 1)) & 1u) << nBit;
    return nCell;
}

} // namespace

bool ParsePattern(const std::string& name, EPattern& pattern)
{
    for (EPattern candidate : {EPattern::Counter, EPattern::Clock, EPattern::Walking, EPattern::Random})
        if (name == PatternName(candidate)) {
            pattern = candidate;
            return true;
        }
    return false;
}

const char* PatternName(EPattern pattern)
{
    switch (pattern) {
    case EPattern::Counter:
        return "counter";
    case EPattern::Clock:
        return "clock";
    case EPattern::Walking:
        return "walking";
    case EPattern::Random:
        return "random";
    }
    return "counter";
}

uint64_t PatternLevels(EPattern pattern, int nSample)
{
    const uint64_t n = static_cast<uint64_t>(nSample);
    switch (pattern) {
    case EPattern::Counter:
        return Cells(n, ~n, n ^ (n >> 1));
    case EPattern::Clock:
        // Cell 3's channel b toggles every 2^b samples: bit b of the count.
        return Cells(DividerCell(n), ~DividerCell(n), n);
    case EPattern::Walking:
        return uint64_t{1} << (n % 48);
    case EPattern::Random:
        break;
    }
    return 0;
}

std::string ListingLine(int nSample, uint64_t nLevels)
{
    std::string line;
    char szNumber[8];
    std::snprintf(szNumber, sizeof szNumber, "%04d", nSample % 10000);
    line += szNumber;
    for (int nCell = 0; nCell < 3; ++nCell) {
        line += ' ';
        for (int nBit = 15; nBit >= 0; --nBit)
            line += ((nLevels >> (nCell * 16 + nBit)) & 1u) ? '1' : '0';
    }
    line += "\r\n";
    return line;
}

std::string ListingHeader(const SListingOptions& options)
{
    // Keep every word away from four characters and from a leading 'T': the receiver counts
    // four-character words as lines and drops words that begin with 'T'. '-' separates words.
    char szSamples[32];
    std::snprintf(szSamples, sizeof szSamples, "SAMPLES=%05d", std::clamp(options.nLines, 0, kMaxListingLines));
    std::string pattern = PatternName(options.pattern);
    std::transform(pattern.begin(), pattern.end(), pattern.begin(), [](char c) { return char(c - 'a' + 'A'); });
    return std::string("STATE LISTING  VELDRAN-48\r\n") + szSamples + "  CLOCK=EXT  PATTERN=" + pattern
        + "\r\nLINE_NO  CELL_1  CELL_2  CELL_3  CELLS_4_8=OFF\r\n\r\n";
}

std::string GenerateListing(const SListingOptions& options)
{
    const int nLines = std::clamp(options.nLines, 0, kMaxListingLines);
    std::string listing = ListingHeader(options);
    listing.reserve(listing.size() + static_cast<std::size_t>(nLines) * 57);
    std::mt19937_64 random(options.nSeed);
    for (int i = 0; i < nLines; ++i) {
        const uint64_t nLevels = options.pattern == EPattern::Random ? random() & 0xFFFFFFFFFFFFull
                                                                     : PatternLevels(options.pattern, i);
        listing += ListingLine(i, nLevels);
    }
    return listing;
}

} // namespace veldran::sim

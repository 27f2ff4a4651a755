#pragma once
// Builds captures for the view tests the way a file load leaves them: data tokens only, parsed.

#include "tests/common/ListingBuilder.h"

#include <string>

namespace veldran::test {

inline std::string CellWord(const LevelFunction& level, int sample, int cell)
{
    return CellToken(SampleCells(level, sample)[static_cast<size_t>(cell)]);
}

inline void LoadCapture(CVELDRANDoc& document, int count, const LevelFunction& level)
{
    ChannelNames names;
    for (int n = 0; n < 48; ++n)
        names[static_cast<size_t>(n)] = "name " + std::to_string(n);
    Load(document, DataTokens(CellsOf(count, level)), std::move(names));
}

// Channel ch toggles every (ch + 1) samples: each channel has its own, recognisable pattern.
inline int DividerLevel(int sample, int channel)
{
    return (sample / (channel + 1)) % 2;
}

} // namespace veldran::test

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
    document.m_pTokenList->clear();
    AppendSamples(*document.m_pTokenList, CellsOf(count, level));
    document.m_nSampleCount = count;
    document.AllocateSamples(count);
    document.ParseTokens(false);
    for (int n = 0; n < 48; ++n)
        document.m_strChannelNames[static_cast<size_t>(n)] = "name " + std::to_string(n);
    document.m_bDataReady = true;
}

// Channel ch toggles every (ch + 1) samples: each channel has its own, recognisable pattern.
inline int DividerLevel(int sample, int channel)
{
    return (sample / (channel + 1)) % 2;
}

} // namespace veldran::test

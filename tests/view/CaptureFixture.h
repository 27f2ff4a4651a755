#pragma once
// Builds captures for the view tests the way a file load leaves them: data tokens only, parsed.

#include "document/CaptureDocument.h"

#include <QString>

#include <functional>
#include <string>

namespace veldran::test {

// level(sample, channel) → 0 or 1.
using LevelFunction = std::function<int(int, int)>;

inline std::string CellWord(const LevelFunction& level, int sample, int cell)
{
    std::string word(16, '0');
    for (int b = 0; b < 16; ++b)
        if (level(sample, cell * 16 + b))
            word[static_cast<size_t>(15 - b)] = '1';
    return word;
}

inline void LoadCapture(CVELDRANDoc& document, int count, const LevelFunction& level)
{
    document.m_pTokenList->clear();
    for (int i = 0; i < count; ++i) {
        document.m_pTokenList->push_back(QString::asprintf("%04d", i % 10000).toStdString());
        for (int cell = 0; cell < 3; ++cell)
            document.m_pTokenList->push_back(CellWord(level, i, cell));
    }
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

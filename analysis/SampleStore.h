#pragma once
// A read-only look at a capture's samples for the analyses: the document's store of 48 levels
// (0 or 1) per sample, and how many of its samples are the capture's. Nothing is copied.

#include <cstddef>
#include <cstdint>

namespace veldran {

struct SampleStore {
    const uint8_t* pLevels = nullptr; // 48 bytes per sample, channel order
    int64_t nCount = 0;               // samples 0 … nCount − 1

    [[nodiscard]] uint8_t Level(int64_t sample, int channel) const { return pLevels[sample * 48 + channel]; }
};

} // namespace veldran

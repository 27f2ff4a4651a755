#pragma once
// One sample's 48 levels as a 48-bit word (bit c = channel c), so that a whole sample is compared
// with a pattern or with its neighbour in a few instructions. The store holds one byte (0 or 1) per
// channel; shifting each byte's low bit to its top bit lets movemask gather 16 channels at once.

#include "analysis/SampleStore.h"

#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace veldran {

[[nodiscard]] inline uint64_t PackLevels(const uint8_t* levels)
{
#ifdef __SSE2__
    const auto* blocks = reinterpret_cast<const __m128i*>(levels);
    const auto gather = [](__m128i block) {
        return static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(_mm_slli_epi16(block, 7))));
    };
    return gather(_mm_loadu_si128(blocks)) | gather(_mm_loadu_si128(blocks + 1)) << 16 |
           gather(_mm_loadu_si128(blocks + 2)) << 32;
#else
    uint64_t word = 0;
    for (int channel = 0; channel < 48; ++channel)
        word |= static_cast<uint64_t>(levels[channel] & 1) << channel;
    return word;
#endif
}

[[nodiscard]] inline uint64_t PackSample(const SampleStore& store, int64_t sample)
{
    return PackLevels(store.pLevels + sample * 48);
}

} // namespace veldran
